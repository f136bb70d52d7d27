#pragma once

#include "platform/web_pane.h"

#include <functional>
#include <optional>
#include <string>

namespace kestrova {

/// The web pane the program talks to while the real one does not exist yet: a browser engine is
/// slow to start, so the window is shown first. Navigations before the start are kept (the last
/// one is shown once the pane starts); anything that needs a page starts the pane at once.
class DeferredWebPane : public WebPane
{
public:
    /// `start` makes the real pane; it is called once, when the pane is first needed.
    explicit DeferredWebPane(std::function<WebPane &()> start);

    /// Starts the real pane now, if it has not started, and shows the kept navigation.
    WebPane &start();
    [[nodiscard]] bool isStarted() const { return m_pane != nullptr; }

    void navigate(const std::string &address) override;
    /// Before the start nothing is shown: the empty text.
    [[nodiscard]] std::string currentAddress() const override;
    void back() override;
    void forward() override;
    void refresh() override;
    void setElementValue(const std::string &name, int index, const std::string &value) override;
    void clickElement(const std::string &name) override;
    void fillAndSubmit(const std::string &field, int index, const std::string &value,
                       const std::string &button) override;

private:
    std::function<WebPane &()> m_start;
    WebPane *m_pane = nullptr;
    std::optional<std::string> m_pending;
};

} // namespace kestrova
