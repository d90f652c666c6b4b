#!/bin/sh
# Desktops that offer to run a medium's autorun.sh start the start window from the medium's root.
cd "$(dirname "$0")" && exec ./korvastart
