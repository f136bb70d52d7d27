#include "core/application.h"

#include "core/catalog_file.h"
#include "core/extension_list.h"
#include "core/main_form.h"
#include "core/rom_source.h"
#include "core/selection_cascade.h"
#include "core/status_summary.h"
#include "platform/dialogs.h"
#include "platform/file_io.h"
#include "platform/list_box.h"
#include "platform/text_box.h"
#include "platform/text_codec.h"
#include "platform/widgets.h"

namespace kestrova {

Application::Application(std::filesystem::path appDir, Services services, PlatformRules rules)
    : Application(FileLayout::portable(std::move(appDir)), services, rules)
{
}

Application::Application(FileLayout files, Services services, PlatformRules rules)
    : m_files(std::move(files)),
      m_services(services),
      m_rules(rules),
      m_form1("Form1", "Kestrova"),
      m_form2("Form2", "New platform"),
      m_colors("colors", "Color Scheme")
{
    buildMainForm(m_form1);
    // The cascade comes first: the features' handlers drive it.
    addFeature(std::make_unique<SelectionCascade>(*this));
    m_form1.menuBar().find("M_op_sav")->onClick = [this] { SaveData(); };
    m_form1.onClose = [this] { shutDown(); };
}

Application::~Application() = default;

ListBox &Application::listBox(const std::string &name)
{
    return m_form1.get<ListBox>(name);
}

ComboBox &Application::comboBox(const std::string &name)
{
    return m_form1.get<ComboBox>(name);
}

TextBox &Application::textBox(const std::string &name)
{
    return m_form1.get<TextBox>(name);
}

Control &Application::control(const std::string &name)
{
    return *m_form1.find(name);
}

std::string Application::appPath(const std::string &name) const
{
    return fromPath(m_files.appFolder() / toPath(name));
}

void Application::runStartupStep(StartupStep step)
{
    for (auto &f : m_features)
        f->startupStep(step);
}

void Application::start()
{
    m_form1.load();
    // Said at once: whatever the user changes next may not be kept.
    if (const auto &message = m_files.startupMessage())
        dialogs().messageBox(*message, MessageButtons::Ok, MessageIcon::Exclamation, "");
    createStatusPanels();
    ShowStatus();
    runStartupStep(StartupStep::ImageSetList);
    runStartupStep(StartupStep::SchemeMenu);
    listBox("plat_list_L").clear();
    runStartupStep(StartupStep::DefaultPictures);
    runStartupStep(StartupStep::Layout);
    runStartupStep(StartupStep::ActiveScheme);
    LoadData();
    runStartupStep(StartupStep::StartPage);
    fillExtensionFilter();
    UpdatE("Boot", 0);
    m_form1.show();
}

void Application::createStatusPanels()
{
    auto &bar = m_form1.get<StatusBar>("StatusBar1");
    while (bar.panelCount() < 6)
        bar.addPanel();
}

void Application::fillExtensionFilter()
{
    auto &filter = comboBox("ext1_C");
    filter.addItem("All");
    const auto path = m_files.extensionFile();
    const auto content = readFile(path, kExtensionFileBound);
    if (!content.error) {
        filter.addItems(parseExtensionList(content.bytes));
        return;
    }
    if (!content.missing) {
        reportFileError("read", content.error->path, content.error->reason);
        return;
    }
    if (!m_files.isWritable())
        return; // the start-up message has said so once
    if (auto error = createEmptyIfMissing(path))
        reportFileError("create", error->path, error->reason);
}

void Application::LoadData()
{
    m_catalog = Catalog{};
    m_dataVersion = FileVersion{};
    const auto path = m_files.catalogFile();
    const auto content = readFile(path, kCatalogFileBound);
    if (content.missing) {
        if (!m_files.isWritable())
            return; // the start-up message has said so once
        if (auto error = createEmptyIfMissing(path))
            reportFileError("create", error->path, error->reason);
        return;
    }
    if (content.error) {
        // Whatever the user kept there is still in the file: never replace it unasked.
        m_replaceQuestion = "DATA.txt could not be read when Kestrova started. Replace it with "
                            "the catalog shown now?";
        reportFileError("read", content.error->path, content.error->reason);
        return;
    }
    m_dataVersion = FileVersion::of(content.bytes);
    auto load = parseCatalog(content.bytes, m_rules.kind());
    m_catalog = std::move(load.catalog);
    if (hasUtf16ByteOrderMark(content.bytes))
        m_replaceQuestion = "DATA.txt is UTF-16 text. Replace it with the catalog shown now, "
                            "written as UTF-8?";
    if (load.skippedLines > 0) {
        const std::string count = std::to_string(load.skippedLines);
        const std::string lines = load.skippedLines == 1 ? " line" : " lines";
        dialogs().messageBox(count + lines + " of DATA.txt could not be loaded. Saving the catalog "
                                     "will drop " + (load.skippedLines == 1 ? "it." : "them."),
                             MessageButtons::Ok, MessageIcon::Exclamation, "");
        m_replaceQuestion = count + lines + " of DATA.txt could not be loaded. Replace it with the "
                                            "catalog shown now?";
    }
}

bool Application::SaveData()
{
    const bool askedToReplace = !m_replaceQuestion.empty();
    if (askedToReplace && !confirm(m_replaceQuestion))
        return false;
    const auto path = m_files.catalogFile();
    // Another window or a text editor may have written it: never drop their changes unasked.
    if (!askedToReplace && !m_dataVersion.isCurrent(path) &&
        !confirm("DATA.txt was changed by another program since Kestrova read it. Replace it "
                 "with the catalog shown now?"))
        return false;
    const auto bytes = writeCatalog(m_catalog, m_rules.kind());
    if (auto error = writeFileAtomically(path, bytes)) {
        reportFileError("save", error->path, error->reason);
        return false;
    }
    m_replaceQuestion.clear();
    m_dataVersion = FileVersion::of(bytes);
    dialogs().messageBox("Saved", MessageButtons::Ok, MessageIcon::None, "");
    return true;
}

bool Application::confirm(const std::string &question)
{
    return dialogs().messageBox(question, MessageButtons::YesNo, MessageIcon::Exclamation, "") ==
           MessageResult::Yes;
}

void Application::reportFileError(const std::string &what, const std::string &path,
                                  const std::string &reason)
{
    dialogs().messageBox("Could not " + what + " " + path + ": " + reason, MessageButtons::Ok,
                         MessageIcon::Exclamation, "");
}

void Application::shutDown()
{
    const auto answer = dialogs().messageBox("Save before exiting?",
                                             MessageButtons::YesNoDismissible, MessageIcon::None,
                                             "Closing Kestrova...");
    // Escape or the box's close button means "not now": the window and every edit stay.
    if (answer == MessageResult::Dismissed)
        return;
    // Closing would lose every edit that could not be saved: let the user keep the window.
    if (answer == MessageResult::Yes && !SaveData() &&
        dialogs().messageBox("The catalog was not saved. Close Kestrova anyway?",
                             MessageButtons::YesNoDefaultNo, MessageIcon::Exclamation,
                             "") != MessageResult::Yes)
        return;
    UnloadAllForms(m_form1.name());
    m_form1.unload();
}

void Application::UnloadAllForms(const std::string &formToIgnore)
{
    for (Form *form : {&m_form1, &m_form2, &m_colors}) {
        if (form->name() != formToIgnore && form->isLoaded())
            form->unload();
    }
}

std::vector<std::string> Application::romFiles(const std::string &folderText,
                                               const std::string &entry) const
{
    return m_romSource ? m_romSource->romFiles(folderText, entry) : std::vector<std::string>{};
}

void Application::readRomFoldersAhead(const std::vector<std::string> &folderTexts) const
{
    if (m_romSource)
        m_romSource->readAhead(folderTexts);
}

void Application::UpdatE(const std::string &caller, int index)
{
    feature<SelectionCascade>().UpdatE(caller, index);
}

void Application::ShowStatus()
{
    kestrova::ShowStatus(m_form1);
}

std::string Application::OpenDir()
{
    const std::string folder = dialogs().browseForFolder("Select a ROM Folder");
    if (!hasLineBreak(folder))
        return folder;
    dialogs().messageBox("This folder name contains a line break and cannot be kept in the "
                         "catalog.",
                         MessageButtons::Ok, MessageIcon::Exclamation, "");
    return {};
}

} // namespace kestrova
