#pragma once

#include <QDate>
#include <QString>
#include <memory>

class QWidget;

namespace app {
class Session;
}
namespace reporting {
class Document;
}

namespace cards {

// "Skladová karta po dnech k datu: ": the card's movements summed per day and type.
std::shared_ptr<reporting::Document> buildCardByDays(app::Session& s, const QString& cislokarty, const QDate& day);
void previewCardByDays(app::Session& s, const QString& cislokarty, const QDate& day, QWidget* parent);

} // namespace cards
