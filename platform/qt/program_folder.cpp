#include "platform/qt/program_folder.h"

#include "platform/executable_folder.h"
#include "platform/qt/qt_convert.h"

#include <QMessageBox>

namespace kestrova {

std::optional<std::filesystem::path> programFolder()
{
    auto found = findExecutableFolder();
    if (!found.folder) {
        QMessageBox::critical(nullptr, QStringLiteral("Kestrova"),
                              toQString(found.problem + " Kestrova keeps its files beside its "
                                                        "program file, so it reads and writes "
                                                        "nothing and closes."));
    }
    return found.folder;
}

} // namespace kestrova
