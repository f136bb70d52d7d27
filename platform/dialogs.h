#pragma once

#include "platform/color.h"

#include <optional>
#include <string>

namespace kestrova {

/// A Yes/No box is answered only by its buttons, Yes being the default unless it says otherwise;
/// a box that may be dismissed (Escape, its close button) says so by answering Dismissed.
enum class MessageButtons { Ok, YesNo, YesNoDismissible, YesNoDefaultNo };
enum class MessageIcon { None, Exclamation };
enum class MessageResult { Ok, Yes, No, Dismissed };

/// The modal dialogs the program asks of the system. Logic never shows a dialog itself.
class Dialogs
{
public:
    virtual ~Dialogs() = default;

    /// An empty title means the application's title.
    virtual MessageResult messageBox(const std::string &text, MessageButtons buttons,
                                     MessageIcon icon, const std::string &title) = 0;
    /// The typed text, or the empty text when cancelled.
    virtual std::string inputBox(const std::string &prompt, const std::string &title) = 0;
    /// An input box that offers `defaultText` to edit; nothing when cancelled, so that an
    /// emptied text and Cancel differ.
    virtual std::optional<std::string> editText(const std::string &prompt,
                                                const std::string &title,
                                                const std::string &defaultText) = 0;
    /// The chosen file's full path, or the empty text. The filter is "desc|pattern|desc|pattern".
    virtual std::string openFile(const std::string &filter, const std::string &defaultExtension) = 0;
    /// The chosen folder without a trailing separator (except a root), or the empty text.
    virtual std::string browseForFolder(const std::string &title) = 0;
    /// The chosen colour, or nothing when cancelled.
    virtual std::optional<Color> pickColor() = 0;
};

} // namespace kestrova
