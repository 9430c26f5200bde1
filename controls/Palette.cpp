#include "controls/Palette.h"

void RegisterComponents(TPaletteList& palette, const QString& page,
                        std::initializer_list<const char*> classNames) {
  for (const char* name : classNames) palette.push_back({page, QString::fromLatin1(name)});
}
