#pragma once

#include "platform/dialogs.h"
#include "platform/shell.h"
#include "platform/task_runner.h"
#include "platform/web_pane.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace kestrova::testing {

/// Dialogs with scripted answers; every request is recorded.
class FakeDialogs : public Dialogs
{
public:
    struct Message
    {
        std::string text;
        MessageButtons buttons;
        MessageIcon icon;
        std::string title;
    };

    MessageResult messageBox(const std::string &text, MessageButtons buttons, MessageIcon icon,
                             const std::string &title) override;
    std::string inputBox(const std::string &prompt, const std::string &title) override;
    std::optional<std::string> editText(const std::string &prompt, const std::string &title,
                                        const std::string &defaultText) override;
    std::string openFile(const std::string &filter, const std::string &defaultExtension) override;
    std::string browseForFolder(const std::string &title) override;
    std::optional<Color> pickColor() override;

    /// Answers, taken in order; when one runs out: Ok/No, the empty text, nothing.
    std::deque<MessageResult> messageAnswers;
    std::deque<std::string> inputAnswers;
    /// Answers of editText(); nothing is Cancel.
    std::deque<std::optional<std::string>> editAnswers;
    std::deque<std::string> fileAnswers;
    std::deque<std::string> folderAnswers;
    std::deque<std::optional<Color>> colorAnswers;

    std::vector<Message> messages;
    std::vector<std::pair<std::string, std::string>> inputs; ///< prompt, title
    std::vector<std::string> editDefaults; ///< the text each editText() offered
    std::vector<std::string> fileFilters;
    std::vector<std::string> folderTitles;
    int colorRequests = 0;
};

/// Records what would have been started.
class FakeShell : public Shell
{
public:
    struct Launch
    {
        std::string program;
        std::vector<std::string> arguments;
        bool minimized;
    };

    StartResult startDetached(const std::string &program,
                              const std::vector<std::string> &arguments, bool minimized) override;
    void shellOpen(const std::string &text) override { opened.push_back(text); }

    std::vector<Launch> launches;
    std::vector<std::string> opened;
    /// The reason every start fails with; empty: every start succeeds.
    std::string failure;
};

/// A web pane without a web: navigations are recorded, the test raises the notifications.
class FakeWebPane : public WebPane
{
public:
    void navigate(const std::string &address) override;
    std::string currentAddress() const override { return address; }
    void back() override { ++backs; }
    void forward() override { ++forwards; }
    void refresh() override { ++refreshes; }
    void setElementValue(const std::string &name, int index, const std::string &value) override;
    void clickElement(const std::string &name) override { clicks.push_back(name); }
    /// Fills and clicks as the page would, unless `missing` names one of the two elements.
    void fillAndSubmit(const std::string &field, int index, const std::string &value,
                       const std::string &button) override;

    /// Pretends the page at `newAddress` has loaded, raising both notifications.
    void completeLoad(const std::string &newAddress);

    std::string address;
    std::vector<std::string> navigations;
    struct ValueSet
    {
        std::string name;
        int index;
        std::string value;
    };
    std::vector<ValueSet> valuesSet;
    std::vector<std::string> clicks;
    std::vector<std::string> missing;
    int backs = 0;
    int forwards = 0;
    int refreshes = 0;
};

/// Runs work at once, like a very fast thread; with `hold`, keeps it until the test says, so
/// that it can click meanwhile.
class FakeTaskRunner : public TaskRunner
{
public:
    void run(Work work) override;
    /// Runs the held work, then its finish, one at a time and in order, including any work a
    /// finish starts.
    void runHeld();

    bool hold = false;
    std::deque<Work> held;
    int started = 0;
};

} // namespace kestrova::testing
