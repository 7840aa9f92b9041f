#pragma once

#include "reporting/document.h"
#include "ui/prompter.h"

#include <QDialog>
#include <memory>

class QLabel;
class QScrollArea;
class QSpinBox;

namespace reporting {

class PageView;

// "Náhled sestavy": pages, zoom and printing of one laid-out report.
class TPrevForm : public QDialog {
    Q_OBJECT
public:
    TPrevForm(std::shared_ptr<const Document> doc, ui::Prompter& prompter, QWidget* parent = nullptr);
    ~TPrevForm() override;

    // Page 1, maximized, fitted to the window, then the zoom field set to 100.
    void FormShow();
    int showModal();

    const Document& document() const { return *doc_; }
    int currentPage() const { return page_; }   // 0-based
    int zoom() const;                           // percent
    void setZoom(int percent);
    void zoomToFit();                           // "podle okna"
    void showPage(int index);
    void firstPage() { showPage(0); }
    void priorPage() { showPage(page_ - 1); }
    void nextPage() { showPage(page_ + 1); }
    void lastPage() { showPage(doc_->pageCount() - 1); }

    void printReport();    // "tisk": the current printer; without one the user is told and the preview stays
    void printerSetup();   // "nastav"
    bool exportPdf(const QString& path) const { return doc_->savePdf(path); }
    bool exportJpeg(const QString& path) const { return doc_->saveJpeg(path, page_); }
    void askPdf();         // "PDF": asks for the file and writes the whole report

protected:
    void showEvent(QShowEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    void updatePageLabel();

    std::shared_ptr<const Document> doc_;
    ui::Prompter& prompter_;
    QSpinBox* zoomBox_ = nullptr;
    QScrollArea* area_ = nullptr;
    PageView* view_ = nullptr;
    QLabel* pageLabel_ = nullptr;
    int page_ = 0;
    bool shown_ = false;
};

} // namespace reporting
