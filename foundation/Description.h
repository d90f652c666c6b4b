// Window descriptions: a text that names each component, its class and its stored values.
//
//   object frmMain: TfrmMain          a component: name and class; the first one is the root
//     Caption = 'Title'               a property (string, integer, identifier, set, list, bytes)
//     Font.Style = [fsBold]           a property of a sub-object
//     OnShow = FormShow               an event bound to a published method of the root
//     object Label1: TLabel           a component owned by the root, placed inside its parent
//     end
//   end
//
// Strings are quoted with ' ('' for a quote) and may be followed by #nn character codes and by
// further quoted parts; a + at the end of a line continues the string on the next one.
// Lists are ( 'a' 'b' ), sets [a, b], bytes { 0A1B... } in hexadecimal.
#pragma once

#include <string>
#include <string_view>

class TComponent;

// Applies the description to `root` (whose class must be the one the description names),
// creating every component it lists, owned by `root`, in description order, with the loading flag
// set; binds events; then calls LoadCompleted on `root` and on every component in read order.
// Errors name the source and the line: "<source>, line <n>: <message>" (EReadError).
void LoadDescription(TComponent& root, std::string_view text, const std::string& sourceName);
