// Loading a shape, its preview, and registering and deleting parts.
#include <cstdlib>
#include <string>

#include "app/CatalogBitmap.h"
#include "app/Thumbnail.h"
#include "app/Workflow.h"
#include "platform/FileSystem.h"
#include "velrast/velrast.h"

namespace {

constexpr int kPreviewWidth = 128;
constexpr int kPreviewHeight = 96;

constexpr unsigned kQuestion = MB_ICONQUESTION | MB_YESNO;
constexpr unsigned kInformation = MB_ICONINFORMATION | MB_OK;

}  // namespace

bool Workflow::LoadShape() {
  Model.Clear();
  ShapeWarning = SufWarnNone;
  int warning = SufWarnNone;
  if (!ReadSufFile(Model, EditFile.c_str(), warning)) {
    Model.Clear();
    return false;
  }
  Model.UpdateBounds();
  Model.UpdateNormals();
  view_.InvalidatePreview();
  view_.SetPolyCountCaption(std::to_string(Model.count));
  ShapeWarning = warning;
  if (warning != SufWarnNone) WarnAboutShape(ShapeWarningText(warning));
  return true;
}

std::string Workflow::ShapeWarningText(int warning) {
  return Text(warning == SufWarnObjects
                  ? "このSUFファイルには複数のオブジェクトが含まれて\nいます。単一のオブジェクトに変換して下さい。\n"
                  : "このSUFファイルにはDOGA-L1/2でサポートされない\nアトリビュートが使われている可能性があります。\n");
}

void Workflow::WarnAboutShape(const std::string& text) {
  ++ShapeWarnings;
  Warn(text);
}

void Workflow::RenderPreview() {
  HDC dc = view_.BeginPaintPreview();
  if (dc == nullptr) return;
  vlrSetColor(BackColor);
  RenderShape(Model, dc, kPreviewWidth, kPreviewHeight);
  view_.EndPaintPreview();
  vlrDestroy();
}

void Workflow::PressPreview(int x, int y, unsigned button) {
  if (button == PointerLeft || button == PointerRight) LastPoint = {x, y};
}

void Workflow::MovePreview(int x, int y, unsigned held) {
  if (held & PointerLeft) RotatePreview(x, y);
  if (held & PointerRight) ZoomPreview(x, y);
}

void Workflow::RotatePreview(int x, int y) {
  if (RotateView(Model, x - LastPoint.x, y - LastPoint.y)) RenderPreview();
  LastPoint = {x, y};
}

void Workflow::ZoomPreview(int x, int y) {
  ZoomView(Model, x - LastPoint.x);
  RenderPreview();
  LastPoint = {x, y};
}

void Workflow::RegisterPart() {
  const PartsFolder* folder = SelectedFolder();
  if (folder == nullptr || !CheckEntryPaths(*folder)) return;
  const std::string target = SlotFileName(*folder, SelectedSlot);
  if (!platform::FileExists(EditFile)) {
    Warn(Text("SUFファイルが見つかりません"));
    return;
  }
  if (platform::FileExists(target) &&
      view_.MessageBox(Text("ファイルは既に存在しています。\n上書きしますか？"), "Partwell!", kQuestion) != IDYES) {
    return;
  }
  if (!platform::CopyFile(EditFile, target)) {
    Warn(target + Text(" に書き込めません。"));
    return;
  }
  switch (DrawThumbnailInto(*folder)) {
    case ThumbnailWritten:
      view_.MessageBox(Text("登録完了しました"), "Partwell!", kInformation);
      break;
    case ThumbnailNoCatalog:
      Warn(CatalogPath(*folder) + Text(" を読み込めません。"));
      break;
    case ThumbnailWriteFailed:
      Warn(CatalogPath(*folder) + Text(" に書き込めません。"));
      break;
  }
  ShowCatalog();
}

// Renders the model at 256 x 192, scales it to one cell and writes it into the folder's catalog.
// Without a frame (nothing was ever loaded) the cell gets the background colour.
Workflow::ThumbnailResult Workflow::DrawThumbnailInto(const PartsFolder& folder) {
  DibStream cell;
  RenderThumbnailCell(Model, BackColor, cell);
  DibStream catalog;
  const std::string path = CatalogPath(folder);
  if (!catalog.LoadBmp(path, DibAcceptAll) || !NormaliseCatalog(catalog)) return ThumbnailNoCatalog;
  PasteCell(catalog, SelectedSlot, cell);
  return SaveCatalog(catalog, path) ? ThumbnailWritten : ThumbnailWriteFailed;
}

void Workflow::DeletePart() {
  const PartsFolder* folder = SelectedFolder();
  if (folder == nullptr || !CheckEntryPaths(*folder)) return;
  const std::string path = SlotFileName(*folder, SelectedSlot);
  if (!platform::FileExists(path)) {
    Warn(Text("指定した場所にはパーツは登録されていません。"));
    return;
  }
  if (view_.MessageBox(Text("このパーツを削除しますか？"), "Partwell!", kQuestion) != IDYES) return;
  if (!platform::DeleteFile(path)) {
    Warn(path + Text(" を削除できません。"));
    return;
  }
  DibStream catalog;
  const std::string catalogPath = CatalogPath(*folder);
  if (!catalog.LoadBmp(catalogPath, DibAcceptAll) || !NormaliseCatalog(catalog)) {
    Warn(catalogPath + Text(" を読み込めません。"));
  } else {
    FillCell(catalog, SelectedSlot, BackColor);
    if (SaveCatalog(catalog, catalogPath)) {
      view_.MessageBox(Text("削除しました。"), "Partwell!", kInformation);
    } else {
      Warn(catalogPath + Text(" に書き込めません。"));
    }
  }
  ShowCatalog();
}
