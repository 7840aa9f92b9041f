#include "ui/pracuji.h"

#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <gtest/gtest.h>
#include <stdexcept>

using ui::Tpracuji;
using ui::WorkingWindow;

TEST(Pracuji, ShowsOneCentredLineOnTopWithoutTitleBar) {
    WorkingWindow working("Talírka - kontrola nové verze");
    Tpracuji* w = working.window();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->isVisible());
    EXPECT_TRUE(w->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(w->windowFlags() & Qt::WindowStaysOnTopHint);
    auto* label = w->findChild<QLabel*>("Label1");
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), "Talírka - kontrola nové verze");
    EXPECT_TRUE(label->wordWrap());
    EXPECT_EQ(label->alignment(), Qt::AlignCenter);

    const QPoint screenCentre = QGuiApplication::primaryScreen()->availableGeometry().center();
    const QPoint centre = w->frameGeometry().center();
    EXPECT_LE((centre - screenCentre).manhattanLength(), 2);

    working.setText("Talírka - generace výdejky..");
    EXPECT_EQ(label->text(), "Talírka - generace výdejky..");
}

TEST(Pracuji, ClosedAndFreedWhenTheWorkEndsOrFails) {
    QPointer<Tpracuji> normal, failed;
    {
        WorkingWindow working("Talírka - generace výdejky..");
        normal = working.window();
    }
    EXPECT_TRUE(normal.isNull());

    try {
        WorkingWindow working("Talírka - kontrola nové verze");
        failed = working.window();
        ASSERT_TRUE(failed->isVisible());
        throw std::runtime_error("spojení selhalo");
    } catch (const std::runtime_error&) {
    }
    EXPECT_TRUE(failed.isNull());
    for (auto* t : QApplication::topLevelWidgets()) EXPECT_EQ(qobject_cast<Tpracuji*>(t), nullptr);
}
