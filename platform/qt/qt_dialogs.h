#pragma once

#include "platform/dialogs.h"

#include <QString>

class QWidget;

namespace kestrova {

/// The system's own dialogs, owned by the window they were opened from (the main window when
/// none is active).
class QtDialogs : public Dialogs
{
public:
    void setOwner(QWidget *owner) { m_owner = owner; }

    MessageResult messageBox(const std::string &text, MessageButtons buttons, MessageIcon icon,
                             const std::string &title) override;
    std::string inputBox(const std::string &prompt, const std::string &title) override;
    std::optional<std::string> editText(const std::string &prompt, const std::string &title,
                                        const std::string &defaultText) override;
    std::string openFile(const std::string &filter, const std::string &defaultExtension) override;
    std::string browseForFolder(const std::string &title) override;
    std::optional<Color> pickColor() override;

private:
    QWidget *owner() const;

    QWidget *m_owner = nullptr;
};

/// "desc|pattern|desc|pattern" as the toolkit's file dialog wants it: "desc (pattern);;...".
QString toQtFileFilter(const std::string &filter);

} // namespace kestrova
