#pragma once

#include <QDate>
#include <QDialog>
#include <QStringList>
#include <QVector>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace app {
class Session;
}

namespace reports {

// ---- SQL pieces that several reports share ------------------------------------------------------

// A mask field as typing leaves it: a digit stays, "*" stays, anything else turns into "*".
QString maskFieldValue(const QString& typed);

// The article-mask condition: " (jkpov like \"12____\") " from the six fields ("*" → "_"), or ""
// when every field is "*". The report adds it followed by a line "and".
QString testjkpov(const QStringList& fields);

// The document-type condition of the ticked types: "(typ = \"P\"or typ = \"V\")", with its
// readable list for the heading "( P, V)". Nothing ticked gives an empty filter.
struct TypeFilter {
    QString condition;
    QString readable;
    bool isEmpty() const { return condition.isEmpty(); }
};
TypeFilter typeFilter(const QStringList& tickedLetters);

// The supplier condition "and ico = \"{ico}\"" for the text of the supplier list: the IČO of the
// chosen item; a text typed that names no item is taken as the IČO itself; "" when empty.
QString supplierCondition(const QString& text, int selected, const QStringList& names, const QStringList& icos);

// ---- the dialog -------------------------------------------------------------------------------

// The reports that prepare the dialog, each with its own set of enabled controls.
enum class PrintKind { ReceivedIssuedByItem, ReceivedIssuedByDocument, FinalBalances, Turnovers, DocumentList };

// "Výběr pro tisk": period or day, document types, article mask or one article, supplier and the
// print options. The report commands prepare it, show it modally and read it after "tisknout".
class Tvybptisk : public QDialog {
    Q_OBJECT
public:
    explicit Tvybptisk(app::Session& s, QWidget* parent = nullptr);

    int Tag = 0;   // 100 for the by-document report, 0 otherwise

    // Enables and disables the controls for a report and sets its dates to today.
    void prepare(PrintKind kind);
    // "select jkpov , nazev from cenik order by nazev" into the article list.
    void loadArticles();
    // "select ico , dodavatel from vse where ico <> \"\" ..." into the supplier list.
    void loadSuppliers();
    void setArticles(const QStringList& names, const QStringList& numbers);
    void setSuppliers(const QStringList& names, const QStringList& icos);

    // The choices.
    QDate fromDate() const;
    QDate toDate() const;
    QDate atDate() const;
    QStringList maskFields() const;
    QString maskCondition() const { return testjkpov(maskFields()); }
    QStringList tickedTypes() const;           // "P", "V", "Z" in order
    TypeFilter types() const { return typeFilter(tickedTypes()); }
    QString supplier() const;                  // the supplier condition
    int printBy() const;                       // " Tisk podle " index 0–3
    bool kumulaceChecked() const;
    bool jennenulChecked() const;
    bool jensumarChecked() const;
    bool sdoklChecked() const;
    bool inventChecked() const;

    // Events of the controls, callable from tests.
    void od1Change(int field);                 // field 0–5 after typing
    void sezjkpov1Select(int index);
    void suiButton3Click();                    // "Od data" = the earliest movement date
    void suiButton4Click();                    // "Do data" = today
    void FormShow();

    // Controls (objectNames as their component names).
    QGroupBox* typy = nullptr;
    QVector<QCheckBox*> typyItems;   // "příjemky", "výdejky", "založení"
    QGroupBox* suiRadioGroup1 = nullptr;
    QVector<QRadioButton*> printByItems;
    QGroupBox* jkpovGroup = nullptr;
    QVector<QLineEdit*> od;          // od1 … od6
    QComboBox* sezjkpov1 = nullptr;
    QDateEdit* DateEdit1 = nullptr;
    QDateEdit* DateEdit2 = nullptr;
    QDateEdit* DateEdit3 = nullptr;
    QPushButton* suiButton3 = nullptr;
    QPushButton* suiButton4 = nullptr;
    QGroupBox* icoGroup = nullptr;
    QComboBox* JICO = nullptr;
    QCheckBox* kumulace = nullptr;
    QCheckBox* jennenul = nullptr;
    QCheckBox* jensumar = nullptr;
    QCheckBox* sdokl = nullptr;
    QCheckBox* invent = nullptr;
    QPushButton* suiButton1 = nullptr;   // "tisknout"
    QPushButton* suiButton2 = nullptr;   // "zpět"

protected:
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void narrowArticleList();
    QStringList articleNumbers_;
    QStringList supplierNames_, supplierIcos_;
    app::Session& s_;
};

} // namespace reports
