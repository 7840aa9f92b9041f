#pragma once

#include "app/session.h"
#include "db/datasetmodel.h"

#include <QApplication>
#include <QLineEdit>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

// A grid over the workstation document buffer (table3) with the text and quantity columns, and
// typing into it as the user does.
struct BufferGrid {
    explicit BufferGrid(app::Session& s) : model(s.dm.table3) {
        s.conn().exec("insert into " + s.dm.pracTabulka +
                      " (CISLO, TYP, TEXT, MNOZSTVI) values (\"20250001\", \"P\", \"mouka\", 2)");
        s.dm.table3.refresh();
        model.setColumns({{"TEXT", "Text", {}, true, 0, {}}, {"MNOZSTVI", "Množství", "## ##0.0000", true, 0, {}}});
        view.setModel(&model);
        view.resize(500, 200);
        view.show();
        (void)QTest::qWaitForWindowExposed(&view);
    }

    static void settle() {
        for (int i = 0; i < 5; ++i) {
            QCoreApplication::processEvents();
            QTest::qWait(5);
        }
    }

    // The cell editor that is open now, if any.
    QLineEdit* editor() const {
        for (auto* e : view.viewport()->findChildren<QLineEdit*>())
            if (!e->isHidden()) return e;
        return nullptr;
    }

    // Opens the cell (or uses the editor already open on it), replaces its text and presses Enter.
    void type(int row, int column, const QString& text) {
        const QModelIndex at = model.index(row, column);
        if (view.currentIndex() != at || !editor()) {
            view.setCurrentIndex(at);
            view.edit(at);
        }
        QLineEdit* e = editor();
        if (!e) {
            ADD_FAILURE() << "the cell did not open for editing";
            return;
        }
        e->selectAll();
        e->insert(text);
        QTest::keyClick(e, Qt::Key_Return);
        settle();
    }

    db::DatasetModel model;
    QTableView view;
};
