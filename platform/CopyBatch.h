// The batch copy of the file services on both systems: every copy is written to its temporary file
// first, then all are synced, then renamed over their targets in order. A failure before the renames
// leaves every target as it was. Private to platform/; each system brings its own writer.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace platform {

enum class CopyStart { Failed, Same, Open };

// One writer a started copy, and whether that copy's target already is its source (nothing to
// write: neither synced nor renamed).
template <typename Writer>
struct CopyBatch {
  std::vector<std::unique_ptr<Writer>> writers;
  std::vector<bool> same;
};

// begin(source, target, writer) makes the writer for target (or leaves it null when the target has
// no form on this system) and starts the copy. Returns how many targets were replaced, in order;
// *failed, when given, gets the index of the copy that failed.
template <typename Writer, typename Begin>
std::size_t RunCopyBatch(const std::vector<std::pair<std::string, std::string>>& copies, std::size_t* failed,
                         CopyBatch<Writer>& batch, Begin begin) {
  auto fail = [failed](std::size_t i) {
    if (failed != nullptr) *failed = i;
    return std::size_t{0};
  };
  for (std::size_t i = 0; i < copies.size(); ++i) {
    std::unique_ptr<Writer> writer;
    const CopyStart start = begin(copies[i].first, copies[i].second, writer);
    if (writer) batch.writers.push_back(std::move(writer));
    if (start == CopyStart::Failed) return fail(i);
    batch.same.push_back(start == CopyStart::Same);
  }
  // Written first and synced after: the file system then flushes the whole batch in one go rather
  // than one journal commit per file.
  for (std::size_t i = 0; i < batch.writers.size(); ++i) {
    if (!batch.same[i] && !batch.writers[i]->Sync()) return fail(i);
  }
  std::size_t replaced = 0;
  for (; replaced < batch.writers.size(); ++replaced) {
    if (!batch.same[replaced] && !batch.writers[replaced]->Rename()) break;
  }
  if (replaced < batch.writers.size() && failed != nullptr) *failed = replaced;
  return replaced;
}

}  // namespace platform
