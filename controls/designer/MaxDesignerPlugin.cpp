#include "controls/designer/MaxDesignerPlugin.h"

#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <map>

#include "controls/MaxBtn.h"
#include "controls/MaxCheck.h"
#include "controls/MaxColorBar.h"
#include "controls/MaxColorCircle.h"
#include "controls/MaxColorPanel.h"
#include "controls/MaxControlBox.h"
#include "controls/MaxEdit.h"
#include "controls/MaxGroup.h"
#include "controls/MaxList.h"
#include "controls/MaxNumberEdit.h"
#include "controls/MaxPanel.h"
#include "controls/MaxTrack.h"
#include "controls/PPanel.h"
#include "controls/Palette.h"
#include "controls/TextPanel.h"

namespace {

struct Entry {
  const char* include;
  QSize size;
  bool container;
  TMaxDesignerWidget::Factory make;
};

template <typename T>
TMaxDesignerWidget::Factory Make() {
  return [](QWidget* parent) -> QWidget* { return new T(parent); };
}

// Every widget class of the family. The palette also lists the three file and folder dialogs; they
// are plain objects, not widgets, and a form in Designer can hold widgets only.
const std::map<QString, Entry>& Widgets() {
  static const std::map<QString, Entry> widgets = {
      {"TPaintPanel", {"controls/PPanel.h", {185, 41}, false, Make<TPaintPanel>()}},
      {"TTextPanel", {"controls/TextPanel.h", {96, 17}, false, Make<TTextPanel>()}},
      {"TMaxColorCircle", {"controls/MaxColorCircle.h", {127, 127}, false, Make<TMaxColorCircle>()}},
      {"TMaxColorBar", {"controls/MaxColorBar.h", {128, 20}, false, Make<TMaxColorBar>()}},
      {"TMaxColorPanel", {"controls/MaxColorPanel.h", {208, 148}, false, Make<TMaxColorPanel>()}},
      {"TMaxButton", {"controls/MaxBtn.h", {64, 16}, false, Make<TMaxButton>()}},
      {"TMaxCheck", {"controls/MaxCheck.h", {64, 13}, false, Make<TMaxCheck>()}},
      {"TMaxTrack", {"controls/MaxTrack.h", {64, 13}, false, Make<TMaxTrack>()}},
      {"TMaxEdit", {"controls/MaxEdit.h", {121, 21}, false, Make<TMaxEdit>()}},
      {"TMaxNumberEdit", {"controls/MaxNumberEdit.h", {64, 20}, false, Make<TMaxNumberEdit>()}},
      {"TMaxControlBox", {"controls/MaxControlBox.h", {64, 64}, true, Make<TMaxControlBox>()}},
      {"TMaxPanel", {"controls/MaxPanel.h", {185, 41}, true, Make<TMaxPanel>()}},
      {"TMaxGroupBox", {"controls/MaxGroup.h", {185, 105}, true, Make<TMaxGroupBox>()}},
      {"TMaxListBox", {"controls/MaxList.h", {121, 97}, false, Make<TMaxListBox>()}},
  };
  return widgets;
}

}  // namespace

TMaxDesignerWidget::TMaxDesignerWidget(const QString& className, const QString& includeFile, QSize size,
                                       bool container, Factory make, QObject* parent)
    : QObject(parent),
      className_(className),
      includeFile_(includeFile),
      size_(size),
      container_(container),
      make_(std::move(make)) {}

QString TMaxDesignerWidget::whatsThis() const {
  return QStringLiteral("%1 of the Partwell widget family (palette page MAX)").arg(className_);
}

// A plain tile with the class name's capitals, so that the palette entries can be told apart.
QIcon TMaxDesignerWidget::icon() const {
  QPixmap tile(22, 22);
  tile.fill(QColor(230, 230, 230));
  QPainter p(&tile);
  p.setPen(QColor(90, 90, 90));
  p.drawRect(0, 0, 21, 21);
  QString letters;
  for (QChar c : className_.mid(className_.startsWith("TMax") ? 4 : 1)) {
    if (c.isUpper()) letters += c;
  }
  QFont font = p.font();
  font.setPixelSize(9);
  p.setFont(font);
  p.drawText(tile.rect(), Qt::AlignCenter, letters.left(3));
  return QIcon(tile);
}

// The object name Designer starts from is the class name without its T, numbered as a form
// designer numbers dropped controls.
QString TMaxDesignerWidget::domXml() const {
  return QStringLiteral(
             "<ui language=\"c++\">\n"
             " <widget class=\"%1\" name=\"%2\">\n"
             "  <property name=\"geometry\">\n"
             "   <rect><x>0</x><y>0</y><width>%3</width><height>%4</height></rect>\n"
             "  </property>\n"
             " </widget>\n"
             "</ui>\n")
      .arg(className_, className_.mid(1) + "1")
      .arg(size_.width())
      .arg(size_.height());
}

TMaxDesignerCollection::TMaxDesignerCollection(QObject* parent) : QObject(parent) {
  // The order is the palette's, as the seven units register their classes.
  for (const TPaletteEntry& entry : FamilyPalette()) {
    const auto it = Widgets().find(entry.className);
    if (it == Widgets().end()) continue;
    const Entry& e = it->second;
    widgets_.append(new TMaxDesignerWidget(entry.className, QString::fromLatin1(e.include), e.size,
                                           e.container, e.make, this));
  }
}
