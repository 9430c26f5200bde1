#include "controls/Fonts.h"

#include <QFontInfo>
#include <QStringList>

void InstallFontSubstitutions() {
  QFont::insertSubstitutions(QStringLiteral("ＭＳ Ｐゴシック"),
                             {QStringLiteral("IPAPGothic"), QStringLiteral("IPAexGothic")});
  QFont::insertSubstitutions(QStringLiteral("MS PGothic"),
                             {QStringLiteral("IPAPGothic"), QStringLiteral("IPAexGothic")});
  QFont::insertSubstitutions(QStringLiteral("ＭＳ ゴシック"),
                             {QStringLiteral("IPAGothic"), QStringLiteral("IPAexGothic")});
  // The about box's title face; Liberation Serif has its metrics, so the title fits its frame.
  QFont::insertSubstitutions(QStringLiteral("Times New Roman"),
                             {QStringLiteral("Liberation Serif"), QStringLiteral("Tinos")});
}

QFont DefaultFont() {
  QFont font(QStringLiteral("ＭＳ Ｐゴシック"));
  font.setPixelSize(12);
  return font;
}

int FontHeight(const QFont& font) {
  return font.pixelSize() > 0 ? -font.pixelSize() : -QFontInfo(font).pixelSize();
}

void SetFontHeight(QFont& font, int height) { font.setPixelSize(height < 0 ? -height : height); }
