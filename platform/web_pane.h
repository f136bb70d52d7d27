#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace kestrova {

/// The file name, without its system's suffix, of the module that holds the real web pane; it
/// sits beside the programs.
inline constexpr std::string_view kWebEngineModuleName = "kestrova-web-engine";

/// The embedded browser. Position, size and visibility belong to the `Browser` control of the
/// main window; this is what the program does with its content.
class WebPane
{
public:
    virtual ~WebPane() = default;

    virtual void navigate(const std::string &address) = 0;
    /// The current top-level address.
    virtual std::string currentAddress() const = 0;
    virtual void back() = 0;
    virtual void forward() = 0;
    virtual void refresh() = 0;
    /// Sets the "value" of the index-th element (counting from 0) named `name`; does nothing when
    /// there is no such element. The text is data, never code.
    virtual void setElementValue(const std::string &name, int index, const std::string &value) = 0;
    /// Clicks the first element named `name`, if there is one.
    virtual void clickElement(const std::string &name) = 0;
    /// Sets the index-th element named `field` to `value` and clicks the first element named
    /// `button`, only when the page has both; otherwise touches nothing. A pane that cannot
    /// look into its page does nothing.
    virtual void fillAndSubmit(const std::string &field, int index, const std::string &value,
                               const std::string &button)
    {
        (void)field, (void)index, (void)value, (void)button;
    }

    /// Raised after every top-level navigation.
    std::function<void()> onNavigationComplete;
    /// Raised when a document has finished loading.
    std::function<void()> onDocumentComplete;
};

} // namespace kestrova
