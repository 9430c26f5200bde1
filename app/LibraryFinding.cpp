#include "app/LibraryFinding.h"

const char* FindingKindName(FindingKind kind) {
  switch (kind) {
    case FindingKind::IndexMissing: return "index-missing";
    case FindingKind::EmptyField: return "empty-field";
    case FindingKind::UnusablePath: return "unusable-path";
    case FindingKind::CatalogMissing: return "catalog-missing";
    case FindingKind::CatalogUnreadable: return "catalog-unreadable";
    case FindingKind::CatalogFormat: return "catalog-format";
    case FindingKind::FolderMissing: return "folder-missing";
    case FindingKind::BlankCell: return "blank-cell";
    case FindingKind::OrphanCell: return "orphan-cell";
    case FindingKind::StrayFile: return "stray-file";
    case FindingKind::UnindexedFolder: return "unindexed-folder";
    case FindingKind::UnindexedCatalog: return "unindexed-catalog";
    case FindingKind::StaleTemp: return "stale-temp";
    case FindingKind::PartUnreadable: return "part-unreadable";
    case FindingKind::PartWarning: return "part-warning";
  }
  return "unknown";
}
