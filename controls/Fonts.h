// The family's font: "ＭＳ Ｐゴシック" at 12 pixels, with the faces that stand in for it off Windows.
#pragma once

#include <QFont>

// The family's texts are Japanese; its font is "ＭＳ Ｐゴシック", which Linux lacks. Call once at
// start (program, gallery, tests) so that Qt draws the IPA gothic faces instead.
void InstallFontSubstitutions();
// "ＭＳ Ｐゴシック" at a character height of 12 pixels, the family's default font.
QFont DefaultFont();
// Font.Height: the negative pixel height of the characters, as the drawing code uses it.
int FontHeight(const QFont& font);
void SetFontHeight(QFont& font, int height);
