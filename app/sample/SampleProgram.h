// What the sample programs on the medium share: telling the user (or an automated run) that they
// started and what they found.
#pragma once

#include <string>

// Shows `text` in a box titled `title`; with KORVA_BOXES=stderr prints "title | text | OK"
// instead. Appends the text as a line to the file named by KORVA_SAMPLE_LOG, when set.
void Announce(const std::string& title, const std::string& text);
