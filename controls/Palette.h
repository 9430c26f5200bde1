// The component palette: every unit of the family lists its classes under the page "MAX".
#pragma once

#include <QString>
#include <initializer_list>
#include <vector>

struct TPaletteEntry {
  QString page;
  QString className;
  bool operator==(const TPaletteEntry&) const = default;
};
using TPaletteList = std::vector<TPaletteEntry>;

// Appends the classes to `palette` under `page`, in the given order.
void RegisterComponents(TPaletteList& palette, const QString& page,
                        std::initializer_list<const char*> classNames);

// One Register function per unit, each adding its classes under page "MAX".
namespace PPanel { void Register(TPaletteList& palette); }
namespace MaxColor { void Register(TPaletteList& palette); }
namespace MaxFile { void Register(TPaletteList& palette); }
namespace MaxBtn { void Register(TPaletteList& palette); }
namespace MaxEdit { void Register(TPaletteList& palette); }
namespace MaxGroup { void Register(TPaletteList& palette); }
namespace MaxList { void Register(TPaletteList& palette); }

// The whole family in palette order.
inline TPaletteList FamilyPalette() {
  TPaletteList palette;
  PPanel::Register(palette);
  MaxColor::Register(palette);
  MaxFile::Register(palette);
  MaxBtn::Register(palette);
  MaxEdit::Register(palette);
  MaxGroup::Register(palette);
  MaxList::Register(palette);
  return palette;
}
