#include "platform/deferred_web_pane.h"

#include <utility>

namespace kestrova {

DeferredWebPane::DeferredWebPane(std::function<WebPane &()> start) : m_start(std::move(start)) {}

WebPane &DeferredWebPane::start()
{
    if (m_pane)
        return *m_pane;
    m_pane = &m_start();
    // The program set its handlers on this pane; the real one reports through them.
    m_pane->onNavigationComplete = [this] {
        if (onNavigationComplete)
            onNavigationComplete();
    };
    m_pane->onDocumentComplete = [this] {
        if (onDocumentComplete)
            onDocumentComplete();
    };
    if (auto pending = std::exchange(m_pending, std::nullopt))
        m_pane->navigate(*pending);
    return *m_pane;
}

void DeferredWebPane::navigate(const std::string &address)
{
    if (m_pane)
        m_pane->navigate(address);
    else
        m_pending = address;
}

std::string DeferredWebPane::currentAddress() const
{
    return m_pane ? m_pane->currentAddress() : std::string();
}

void DeferredWebPane::back()
{
    start().back();
}

void DeferredWebPane::forward()
{
    start().forward();
}

void DeferredWebPane::refresh()
{
    start().refresh();
}

void DeferredWebPane::setElementValue(const std::string &name, int index,
                                      const std::string &value)
{
    start().setElementValue(name, index, value);
}

void DeferredWebPane::clickElement(const std::string &name)
{
    start().clickElement(name);
}

void DeferredWebPane::fillAndSubmit(const std::string &field, int index,
                                    const std::string &value, const std::string &button)
{
    start().fillAndSubmit(field, index, value, button);
}

} // namespace kestrova
