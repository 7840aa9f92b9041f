#pragma once

#include "reporting/report.h"

#include <QString>
#include <array>
#include <memory>

class QWidget;

namespace app {
class Session;
}

namespace stock {

// "podokl": every receipt and issue of a period, one document after another, grouped by supplier
// when Tag is 1. The by-document report sets query1 and Tag (rows ordered by date and number, or
// by supplier, date and number).
class TFormtisd {
public:
    TFormtisd() = default;
    TFormtisd(const TFormtisd&) = delete;
    TFormtisd& operator=(const TFormtisd&) = delete;

    int Tag = 0;
    QString query1;

    std::shared_ptr<reporting::Document> run(const reporting::DataSource& rows);
    // Opens query1 and shows the print in the preview window.
    void preview(app::Session& s, QWidget* parent);

private:
    reporting::Report build();

    long long docTotal_ = 0, supplierTotal_ = 0, grandTotal_ = 0;   // hundredths
    std::array<long long, 11> groups_{};                            // groups 1–5 are used
};

} // namespace stock
