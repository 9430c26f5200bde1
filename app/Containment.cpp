// Parts packs are shared, so an index entry is untrusted: its prefix and catalog file must keep every
// path built from them inside CGAFolder\common\parts\ and \common\catalog\.
#include "app/Workflow.h"
#include "platform/FileSystem.h"

bool Workflow::HasContainedParts(const PartsFolder& folder) {
  // The slot number completes the name: a prefix "car\" is the folder car, "car\car" its files car01...
  return !folder.PartsPrefix.empty() && platform::IsContainedPath(folder.PartsPrefix + "01.SUF");
}

bool Workflow::HasContainedCatalog(const PartsFolder& folder) { return platform::IsContainedPath(folder.CatalogFile); }

bool Workflow::CheckEntryPaths(const PartsFolder& folder) {
  const char* refused = " は使えないパスです。";
  if (!HasContainedParts(folder)) {
    Warn(folder.PartsPrefix + Text(refused));
    return false;
  }
  if (!HasContainedCatalog(folder)) {
    Warn(folder.CatalogFile + Text(refused));
    return false;
  }
  return true;
}
