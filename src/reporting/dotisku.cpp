#include "reporting/dotisku.h"

#include "reporting/printing.h"

#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace reporting {

// The current page at the current zoom, painted from the layout whenever it is exposed.
class PageView : public QWidget {
public:
    explicit PageView(const Document& doc, QWidget* parent) : QWidget(parent), doc_(doc) {}

    void set(int page, int zoom) {
        page_ = page;
        zoom_ = zoom;
        const double px = pixelsPerMm();
        setFixedSize(qRound(doc_.page.width * px), qRound(doc_.page.height * px));
        update();
    }
    double pixelsPerMm() const { return zoom_ / 100.0 * logicalDpiX() / 25.4; }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        doc_.paintPage(p, page_, pixelsPerMm());
    }

private:
    const Document& doc_;
    int page_ = 0;
    int zoom_ = 100;
};

TPrevForm::TPrevForm(std::shared_ptr<const Document> doc, ui::Prompter& prompter, QWidget* parent)
    : QDialog(parent), doc_(std::move(doc)), prompter_(prompter) {
    setObjectName("TPrevForm");
    setWindowTitle("Náhled sestavy");
    setWindowFlags(windowFlags() | Qt::WindowMaximizeButtonHint | Qt::WindowMinimizeButtonHint);

    auto* bar = new QHBoxLayout;
    auto* zl = new QLabel("zvětšení", this);
    zoomBox_ = new QSpinBox(this);
    zoomBox_->setObjectName("lblzoomsize");
    zoomBox_->setRange(10, 500);
    zoomBox_->setValue(100);
    zl->setBuddy(zoomBox_);
    auto button = [&](const QString& name, const QString& caption) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(name);
        b->setAutoDefault(false);
        return b;
    };
    auto pageButton = [&](const QString& name, QStyle::StandardPixmap icon, const QString& tip) {
        auto* b = new QToolButton(this);
        b->setObjectName(name);
        b->setIcon(style()->standardIcon(icon));
        b->setToolTip(tip);
        return b;
    };
    auto* fit = button("BBZoomToFilt", "podle okna");
    auto* first = pageButton("BBFirst", QStyle::SP_MediaSkipBackward, "první strana");
    auto* prior = pageButton("BBPrior", QStyle::SP_MediaSeekBackward, "předchozí strana");
    auto* next = pageButton("BBNext", QStyle::SP_MediaSeekForward, "další strana");
    auto* last = pageButton("BBLast", QStyle::SP_MediaSkipForward, "poslední strana");
    pageLabel_ = new QLabel(this);
    pageLabel_->setObjectName("lblpage");
    auto* print = button("suiButton1", "tisk");
    auto* setup = button("BBPrint", "nastav");
    auto* pdf = button("BBPdf", "PDF");
    auto* exit = button("BBExit", "zpět");
    for (QWidget* w : std::initializer_list<QWidget*>{zl, zoomBox_, fit, first, prior, next, last, pageLabel_})
        bar->addWidget(w);
    bar->addStretch();
    for (QWidget* w : std::initializer_list<QWidget*>{print, setup, pdf, exit}) bar->addWidget(w);

    area_ = new QScrollArea(this);
    area_->setObjectName("QRPreview1");
    area_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    area_->setBackgroundRole(QPalette::Dark);
    view_ = new PageView(*doc_, area_);
    area_->setWidget(view_);

    auto* lay = new QVBoxLayout(this);
    lay->addLayout(bar);
    lay->addWidget(area_, 1);
    resize(900, 700);

    connect(zoomBox_, &QSpinBox::valueChanged, this, [this](int v) { view_->set(page_, v); });
    connect(fit, &QPushButton::clicked, this, &TPrevForm::zoomToFit);
    connect(first, &QToolButton::clicked, this, &TPrevForm::firstPage);
    connect(prior, &QToolButton::clicked, this, &TPrevForm::priorPage);
    connect(next, &QToolButton::clicked, this, &TPrevForm::nextPage);
    connect(last, &QToolButton::clicked, this, &TPrevForm::lastPage);
    connect(print, &QPushButton::clicked, this, &TPrevForm::printReport);
    connect(setup, &QPushButton::clicked, this, &TPrevForm::printerSetup);
    connect(pdf, &QPushButton::clicked, this, &TPrevForm::askPdf);
    connect(exit, &QPushButton::clicked, this, &QDialog::reject);
    view_->set(0, 100);
    updatePageLabel();
}

TPrevForm::~TPrevForm() = default;

void TPrevForm::FormShow() {
    showPage(0);
    setWindowState(windowState() | Qt::WindowMaximized);
    zoomToFit();
    zoomBox_->setValue(100);
}

int TPrevForm::showModal() {
    // exec() shows the window, and showEvent runs FormShow once.
    return exec();
}

void TPrevForm::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (!shown_) {
        shown_ = true;
        FormShow();
    }
}

int TPrevForm::zoom() const { return zoomBox_->value(); }

void TPrevForm::setZoom(int percent) { zoomBox_->setValue(percent); }

void TPrevForm::zoomToFit() {
    const QSize room = area_->viewport()->size();
    const double mm = logicalDpiX() / 25.4;
    const double fx = room.width() / (doc_->page.width * mm);
    const double fy = room.height() / (doc_->page.height * mm);
    zoomBox_->setValue(std::max(zoomBox_->minimum(), int(std::min(fx, fy) * 100)));
}

void TPrevForm::showPage(int index) {
    if (doc_->pageCount() == 0) return;
    page_ = std::clamp(index, 0, doc_->pageCount() - 1);
    view_->set(page_, zoom());
    area_->verticalScrollBar()->setValue(0);
    updatePageLabel();
}

void TPrevForm::updatePageLabel() {
    pageLabel_->setText(QString("strana %1 z %2").arg(doc_->pageCount() ? page_ + 1 : 0).arg(doc_->pageCount()));
}

void TPrevForm::printReport() {
    if (QPrinter* p = currentPrinter(prompter_)) doc_->print(*p);
}

void TPrevForm::printerSetup() { reporting::printerSetup(prompter_, this); }

void TPrevForm::askPdf() {
    const QString name = doc_->name.isEmpty() ? QString("sestava") : doc_->name;
    const QString path = QFileDialog::getSaveFileName(this, "Uložit jako PDF", QDir::home().filePath(name + ".pdf"),
                                                      "PDF (*.pdf)");
    if (path.isEmpty()) return;
    if (!exportPdf(path)) prompter_.tell("Talírka", "Soubor " + path + " nelze uložit!", ui::Icon::Stop);
}

void TPrevForm::keyPressEvent(QKeyEvent* e) {
    switch (e->key()) {
    case Qt::Key_PageDown: nextPage(); return;
    case Qt::Key_PageUp: priorPage(); return;
    case Qt::Key_Home:
        if (e->modifiers() & Qt::ControlModifier) { firstPage(); return; }
        break;
    case Qt::Key_End:
        if (e->modifiers() & Qt::ControlModifier) { lastPage(); return; }
        break;
    default: break;
    }
    QDialog::keyPressEvent(e);
}

} // namespace reporting
