#include "buffergrid.h"
#include "support/testdatabase.h"
#include "ui/rowstoreerror.h"

using namespace testing_support;

class RowStoreError : public DbTest {};

TEST_F(RowStoreError, RefusedLineShowsZadneAndStaysInEditingUntilCorrected) {
    BufferGrid grid(session());
    ui::guardGridEditing(grid.view, grid.model, prompter(), ui::kRowErrorItem);
    const QString tooLong(60, 'x'); // TEXT holds 50 characters; the server refuses the row

    grid.type(0, 0, tooLong);

    ASSERT_EQ(prompter().records().size(), 1u);
    const ui::Message& m = prompter().records()[0].message;
    EXPECT_EQ(m.caption, "Talírka");
    EXPECT_EQ(m.text, "Chyba ve vyplnění položky! ");
    EXPECT_EQ(m.icon, ui::Icon::Stop);
    EXPECT_EQ(m.buttons, QStringList({"ok"}));
    EXPECT_EQ(db->scalar("select TEXT from " + session().dm.pracTabulka), "mouka");
    ASSERT_NE(grid.editor(), nullptr) << "the line left editing";
    EXPECT_EQ(grid.editor()->text(), tooLong);
    EXPECT_EQ(grid.view.currentIndex(), grid.model.index(0, 0));

    grid.type(0, 0, "hladká mouka");
    EXPECT_EQ(db->scalar("select TEXT from " + session().dm.pracTabulka), "hladká mouka");
    EXPECT_EQ(prompter().records().size(), 1u);
    EXPECT_EQ(grid.model.displayText(0, 0), "hladká mouka");
}
