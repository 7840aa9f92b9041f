#pragma once

#include "cards/browsersettings.h"
#include "cards/cardbrowser.h"
#include "db/datasetmodel.h"

#include <QDialog>

class QLabel;
class QMenu;
class QPushButton;
class QToolButton;
class QWidget;

namespace app {
class Session;
}
namespace ui {
class DataGrid;
}

namespace cards {

// "Práce se skl.kartami": the price list, the cards of the selected article and the movements of
// the selected card. Callers set the mode and the positioning (BrowserSettings) before showing it.
class Tfskarta : public QDialog, public BrowserSettings {
    Q_OBJECT
public:
    explicit Tfskarta(app::Session& s, QWidget* parent = nullptr);
    ~Tfskarta() override;

    CardBrowser& browser() { return browser_; }

    // Grids: "Zboží", "Karty", "Pohyby".
    ui::DataGrid* DBGrid2 = nullptr;
    ui::DataGrid* DBGrid1 = nullptr;
    ui::DataGrid* DBGrid3 = nullptr;
    QPushButton* Button1 = nullptr;   // "Zavřít"
    QPushButton* Button2 = nullptr;   // "nové zboží"
    QPushButton* Button3 = nullptr;   // "nová karta"
    QPushButton* Button4 = nullptr;   // "převzít"
    QPushButton* Button5 = nullptr;   // "tisk karty - podrobný"
    QPushButton* Button6 = nullptr;   // "tisk karty - po dnech"
    QToolButton* SpeedButton1 = nullptr;   // enlarges the price list
    QMenu* PopupMenu1 = nullptr;      // context menu of the price list

    static constexpr int normalPriceListHeight = 151;
    static constexpr int tallPriceListHeight = 586;
    // The price list over the card and movement grids, or back.
    void setEnlarged(bool on);
    bool enlarged() const { return enlarged_; }

    // The commands, as the buttons run them.
    void noveZbozi();
    void novaKarta();
    void opravaUdaju();
    void prevzit();
    void tiskPodrobny();
    void tiskPoDnech();
    void hledatVCeniku(const QString& field);

protected:
    void showEvent(QShowEvent* e) override;
    void done(int r) override;

private:
    void build();
    void FormShow();
    void applyMode();
    void afterListsReopened();
    QString layoutPath(const QString& file) const;

    app::Session& s_;
    CardBrowser browser_;
    db::DatasetModel cenikModel_;
    db::DatasetModel kartaModel_;
    db::DatasetModel vseModel_;
    QWidget* lowerPart_ = nullptr;
    bool enlarged_ = false;
    bool layoutsLoaded_ = false;
};

} // namespace cards
