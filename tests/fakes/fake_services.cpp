#include "fakes/fake_services.h"

#include <algorithm>

namespace kestrova::testing {

namespace {

template<class T>
T takeOr(std::deque<T> &answers, T fallback)
{
    if (answers.empty())
        return fallback;
    T answer = std::move(answers.front());
    answers.pop_front();
    return answer;
}

} // namespace

MessageResult FakeDialogs::messageBox(const std::string &text, MessageButtons buttons,
                                      MessageIcon icon, const std::string &title)
{
    messages.push_back({text, buttons, icon, title});
    const auto fallback = buttons == MessageButtons::Ok ? MessageResult::Ok : MessageResult::No;
    return takeOr(messageAnswers, fallback);
}

std::string FakeDialogs::inputBox(const std::string &prompt, const std::string &title)
{
    inputs.emplace_back(prompt, title);
    return takeOr(inputAnswers, std::string());
}

std::optional<std::string> FakeDialogs::editText(const std::string &prompt,
                                                 const std::string &title,
                                                 const std::string &defaultText)
{
    inputs.emplace_back(prompt, title);
    editDefaults.push_back(defaultText);
    return takeOr(editAnswers, std::optional<std::string>());
}

std::string FakeDialogs::openFile(const std::string &filter, const std::string &)
{
    fileFilters.push_back(filter);
    return takeOr(fileAnswers, std::string());
}

std::string FakeDialogs::browseForFolder(const std::string &title)
{
    folderTitles.push_back(title);
    return takeOr(folderAnswers, std::string());
}

std::optional<Color> FakeDialogs::pickColor()
{
    ++colorRequests;
    return takeOr(colorAnswers, std::optional<Color>());
}

StartResult FakeShell::startDetached(const std::string &program,
                                     const std::vector<std::string> &arguments, bool minimized)
{
    launches.push_back({program, arguments, minimized});
    return {failure.empty(), failure};
}

void FakeWebPane::navigate(const std::string &newAddress)
{
    navigations.push_back(newAddress);
}

void FakeWebPane::setElementValue(const std::string &name, int index, const std::string &value)
{
    valuesSet.push_back({name, index, value});
}

void FakeWebPane::fillAndSubmit(const std::string &field, int index, const std::string &value,
                                const std::string &button)
{
    const auto absent = [this](const std::string &name) {
        return std::find(missing.begin(), missing.end(), name) != missing.end();
    };
    if (absent(field) || absent(button))
        return;
    setElementValue(field, index, value);
    clickElement(button);
}

void FakeWebPane::completeLoad(const std::string &newAddress)
{
    address = newAddress;
    if (onNavigationComplete)
        onNavigationComplete();
    if (onDocumentComplete)
        onDocumentComplete();
}

} // namespace kestrova::testing
