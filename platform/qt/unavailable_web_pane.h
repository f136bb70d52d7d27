#pragma once

#include "platform/qt/widget_web_pane.h"

#include <QPointer>
#include <QString>

class QLabel;

namespace kestrova {

/// Stands where the web pane would be when the web engine cannot start, and says why. It shows
/// no page, so it reports no navigation.
class UnavailableWebPane : public WidgetWebPane
{
public:
    UnavailableWebPane(const QString &reason, QWidget *parent);
    ~UnavailableWebPane() override;
    UnavailableWebPane(const UnavailableWebPane &) = delete;
    UnavailableWebPane &operator=(const UnavailableWebPane &) = delete;

    [[nodiscard]] QWidget *widget() const override;
    void navigate(const std::string &) override {}
    [[nodiscard]] std::string currentAddress() const override { return {}; }
    void back() override {}
    void forward() override {}
    void refresh() override {}
    void setElementValue(const std::string &, int, const std::string &) override {}
    void clickElement(const std::string &) override {}

private:
    QPointer<QLabel> m_label;
};

} // namespace kestrova
