#include "app/Main.h"

#include <QDesktopServices>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QToolTip>
#include <QUrl>

#include "app/About.h"
#include "app/Application.h"
#include "app/Config.h"
#include "app/NewFolder.h"
#include "app/WindowText.h"
#include "controls/Colors.h"
#include "controls/PPanel.h"
#include "platform/FileSystem.h"

namespace {
constexpr int kClientWidth = 428;
constexpr int kClientHeight = 364;
constexpr int kFolderLineHeight = 12;

unsigned PointerButtonOf(TMouseButton button) {
  switch (button) {
    case mbLeft: return PointerLeft;
    case mbRight: return PointerRight;
    default: return PointerMiddle;
  }
}

unsigned PointerButtonsHeld(TShiftState shift) {
  return ((shift & ssLeft) ? PointerLeft : 0u) | ((shift & ssRight) ? PointerRight : 0u) |
         ((shift & ssMiddle) ? PointerMiddle : 0u);
}

// Folder lines are 12 pixels high, the height of the window's font.
class FolderLineDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    return {QStyledItemDelegate::sizeHint(option, index).width(), kFolderLineHeight};
  }
};

// The program's picture panels: no bevel, a single sunken border, the button face behind.
TPaintPanel* PicturePanel(QWidget* parent, int x, int y, int width, int height) {
  auto* panel = new TPaintPanel(parent);
  panel->SetBevelOuter(bvNone);
  panel->SetBorderStyle(bsSingle);
  panel->SetColor(clBtnFace);
  panel->setGeometry(x, y, width, height);
  return panel;
}
}  // namespace

TFormMain::TFormMain(QWidget* parent) : QMainWindow(parent) {
  setWindowTitle("Partwell!");
  BuildMenu();
  BuildControls();
  ConnectEvents();
  OpenDlg = [this] { return QFileDialog::getOpenFileName(this, QString(), QString(), "SUF File (*.suf)"); };
  setAcceptDrops(true);
  workflow_ = std::make_unique<Workflow>(*this);
  workflow_->Construct();
}

TFormMain::~TFormMain() = default;

void TFormMain::BuildMenu() {
  QMenu* menuFile = menuBar()->addMenu(QString::fromUtf8("ファイル(&F)"));
  MenuConfig = menuFile->addAction(QString::fromUtf8("環境設定"), this, [this] { MenuConfigClick(); });
  MenuExit = menuFile->addAction(QString::fromUtf8("終了"), this, [this] { close(); });
  QMenu* menuHelp = menuBar()->addMenu(QString::fromUtf8("ヘルプ(&H)"));
  MenuIndex = menuHelp->addAction(QString::fromUtf8("partwell.htmの表示"), this, [this] { MenuIndexClick(); });
  MenuAbout = menuHelp->addAction(QString::fromUtf8("Partwell!について"), this, [this] { MenuAboutClick(); });
}

void TFormMain::BuildControls() {
  auto* client = new QWidget(this);
  client->setFixedSize(kClientWidth, kClientHeight);
  setCentralWidget(client);
  auto label = [client](const char* text, int x, int y) {
    auto* l = new QLabel(QString::fromUtf8(text), client);
    l->move(x, y);
    l->adjustSize();
    return l;
  };
  LabelFile = label("SUFファイル", 16, 16);
  EditFile = new QLineEdit(client);
  EditFile->setGeometry(16, 32, 249, 20);
  // Read-only and out of the tab order, yet a click still selects its text for copying.
  EditFile->setReadOnly(true);
  EditFile->setFocusPolicy(Qt::ClickFocus);
  EditFile->setStyleSheet(QString("QLineEdit { background: %1; }").arg(ToQColor(clScrollBar, EditFile).name()));
  BtnLoad = new QPushButton(QString::fromUtf8("読込"), client);
  BtnLoad->setGeometry(176, 56, 89, 25);
  BtnLoad->setDefault(true);
  LabelPolygon = label("ポリゴン数", 184, 8);
  LabelPolygon->setFixedWidth(53);
  LabelPolygon->setAlignment(Qt::AlignRight);
  LabelPolyCount = label("", 240, 8);
  LabelPolyCount->setFixedWidth(40);
  PanelRend = PicturePanel(client, 280, 0, 132, 100);  // client area 128 x 96
  LabelFolder = label("フォルダ", 16, 104);
  ListFolder = new QListWidget(client);
  ListFolder->setGeometry(16, 120, 121, 196);
  ListFolder->setUniformItemSizes(true);
  ListFolder->setItemDelegate(new FolderLineDelegate(ListFolder));
  LabelCatalog = label("カタログ", 152, 104);
  LabelPartsName = label("", 208, 104);
  LabelPartsName->setFixedWidth(200);
  PanelThumbnail = PicturePanel(client, 152, 120, 260, 196);  // client area 256 x 192
  auto button = [client](const char* text, int x, int w) {
    auto* b = new QPushButton(QString::fromUtf8(text), client);
    b->setGeometry(x, 328, w, 25);
    b->setAutoDefault(true);  // Enter presses the button that has the focus
    return b;
  };
  BtnNewFolder = button("新規", 32, 41);
  BtnSetFolder = button("変更", 80, 41);
  BtnRegister = button("登録", 232, 73);
  BtnRegister->setEnabled(false);
  BtnDelete = button("削除", 320, 73);

  setTabOrder(BtnLoad, ListFolder);
  setTabOrder(ListFolder, BtnNewFolder);
  setTabOrder(BtnNewFolder, BtnSetFolder);
  setTabOrder(BtnSetFolder, BtnRegister);
  setTabOrder(BtnRegister, BtnDelete);

  // Fixed single border: the window can be neither resized nor maximised.
  setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
  layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void TFormMain::ConnectEvents() {
  connect(BtnLoad, &QPushButton::clicked, this, [this] { BtnLoadClick(); });
  // Mouse, keyboard or wheel: whatever moves the current line shows that folder's catalog.
  connect(ListFolder, &QListWidget::currentRowChanged, this, [this](int row) { ListFolderClick(row); });
  // A control-click would unselect the line the workflow still works on: keep it highlighted.
  connect(ListFolder, &QListWidget::itemSelectionChanged, this, [this] {
    if (selectedLine_ >= 0 && ListFolder->selectedItems().isEmpty()) SelectFolderLine(selectedLine_);
  });
  connect(ListFolder, &QListWidget::itemDoubleClicked, this, [this] { workflow_->RenameFolder(); });
  connect(BtnNewFolder, &QPushButton::clicked, this, [this] { workflow_->CreateFolder(); });
  connect(BtnSetFolder, &QPushButton::clicked, this, [this] { workflow_->RenameFolder(); });
  connect(BtnRegister, &QPushButton::clicked, this, [this] { workflow_->RegisterPart(); });
  connect(BtnDelete, &QPushButton::clicked, this, [this] { workflow_->DeletePart(); });
  // The catalog panel takes the focus for its arrow keys and Delete, and shows a tooltip per cell.
  PanelThumbnail->setFocusPolicy(Qt::StrongFocus);
  PanelThumbnail->installEventFilter(this);
  PanelThumbnail->OnPaint = [this](QObject*) { workflow_->PaintCatalog(); };
  PanelThumbnail->OnMouseDown = [this](QObject*, TMouseButton b, TShiftState, int x, int y) {
    workflow_->SelectSlot(x, y, PointerButtonOf(b));
  };
  PanelRend->OnPaint = [this](QObject*) { workflow_->RenderPreview(); };
  PanelRend->OnMouseDown = [this](QObject*, TMouseButton b, TShiftState, int x, int y) {
    workflow_->PressPreview(x, y, PointerButtonOf(b));
  };
  PanelRend->OnMouseMove = [this](QObject*, TShiftState held, int x, int y) {
    workflow_->MovePreview(x, y, PointerButtonsHeld(held));
  };
}

int TFormMain::MessageBox(const std::string& text, const std::string& title, unsigned flags) {
  return ShowMessage(this, FromSjis(title), FromSjis(text), flags);
}

void TFormMain::SetEditFileText(const std::string& text) { EditFile->setText(FromSjis(text)); }
void TFormMain::SetPolyCountCaption(const std::string& text) { LabelPolyCount->setText(FromSjis(text)); }
void TFormMain::SetPartsNameCaption(const std::string& text) { LabelPartsName->setText(FromSjis(text)); }
void TFormMain::SetRegisterEnabled(bool enabled) { BtnRegister->setEnabled(enabled); }
void TFormMain::SetDeleteEnabled(bool enabled) { BtnDelete->setEnabled(enabled); }
void TFormMain::BeginFolderUpdate() { ListFolder->setUpdatesEnabled(false); }
void TFormMain::EndFolderUpdate() { ListFolder->setUpdatesEnabled(true); }

void TFormMain::ClearFolderList() {
  QSignalBlocker quiet(ListFolder);
  ListFolder->clear();
  selectedLine_ = -1;
}

void TFormMain::AddFolderLine(const std::string& text) {
  QSignalBlocker quiet(ListFolder);
  ListFolder->addItem(FromSjis(text));
}

void TFormMain::SelectFolderLine(int index) {
  QSignalBlocker quiet(ListFolder);
  selectedLine_ = index;
  ListFolder->setCurrentRow(index);
}

void TFormMain::ReplaceFolderLine(int index, const std::string& text) {
  if (QListWidgetItem* item = ListFolder->item(index)) item->setText(FromSjis(text));
}

int TFormMain::SelectedFolderLine() const { return selectedLine_; }

// The workflow draws on a panel only while the panel paints; asked at another time, the panel is
// told to repaint and paints through the same handler.
HDC TFormMain::BeginPaintThumbnail() {
  if (HDC dc = PanelThumbnail->GetHandle()) return dc;
  PanelThumbnail->update();
  return nullptr;
}
void TFormMain::EndPaintThumbnail() {}
HDC TFormMain::BeginPaintPreview() {
  if (HDC dc = PanelRend->GetHandle()) return dc;
  PanelRend->update();
  return nullptr;
}
void TFormMain::EndPaintPreview() {}
void TFormMain::InvalidatePreview() { PanelRend->update(); }

bool TFormMain::RunFolderDialog(FolderDialogState& state) {
  TDlgNewFolder dialog(state, [this](const FolderDialogState& s) { return workflow_->CheckFolderDialog(s); }, this);
  CentreOnScreen(dialog);
  return dialog.exec() == QDialog::Accepted;
}

void TFormMain::ListFolderClick(int line) {
  selectedLine_ = line;
  workflow_->ShowCatalog();
}

void TFormMain::BtnLoadClick() {
  const QString file = OpenDlg();
  if (file.isEmpty()) return;
  auto sjis = ToSjis(file);
  if (!sjis) {
    workflow_->RefuseName();
    return;
  }
  workflow_->SetEditFile(*sjis);
  workflow_->LoadShape();
}

void TFormMain::MenuConfigClick() {
  TDlgConfig dialog(this);
  dialog.EditFolder->setText(FromSjis(workflow_->CGAFolder));
  dialog.SetColor(workflow_->BackColor);
  if (dialog.exec() != QDialog::Accepted) return;
  workflow_->SaveSettings(dialog.GetFolder(), dialog.GetColor());
}

void TFormMain::MenuIndexClick() {
  const std::string help = workflow_->HelpFile();
  if (help.empty()) return;
  if (!QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(platform::HostPath(help))))) {
    workflow_->HelpNotShown();
  }
}

void TFormMain::MenuAboutClick() {
  TDlgAbout dialog(this);
  dialog.exec();
}

// 読込 is the default button: Enter runs it unless a button with the focus took the key itself.
void TFormMain::keyPressEvent(QKeyEvent* event) {
  if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && BtnLoad->isEnabled()) {
    BtnLoad->click();
    return;
  }
  QMainWindow::keyPressEvent(event);
}

void TFormMain::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

// Only the first file of a drop is taken (the workflow's rule); nullopt after the workflow refused
// its name for having no Shift-JIS form.
std::optional<std::vector<std::string>> TFormMain::DroppedNames(const QList<QUrl>& urls) {
  std::vector<std::string> names;
  if (urls.isEmpty()) return names;
  auto sjis = ToSjis(urls.front().toLocalFile());
  if (!sjis) {
    workflow_->RefuseName();
    return std::nullopt;
  }
  names.push_back(*sjis);
  return names;
}

void TFormMain::dropEvent(QDropEvent* event) {
  event->acceptProposedAction();
  const QPoint onPanel = PanelThumbnail->mapFrom(this, event->position().toPoint());
  if (PanelThumbnail->ClientRect().contains(onPanel)) {
    const QPoint p = onPanel - PanelThumbnail->ClientRect().topLeft();
    if (auto names = DroppedNames(event->mimeData()->urls())) workflow_->DropFilesOnSlot(p.x(), p.y(), *names);
    return;
  }
  DropUrls(event->mimeData()->urls());
}

void TFormMain::DropUrls(const QList<QUrl>& urls) {
  if (auto names = DroppedNames(urls)) workflow_->DropFiles(*names);
}

bool TFormMain::eventFilter(QObject* watched, QEvent* event) {
  if (watched != PanelThumbnail) return QMainWindow::eventFilter(watched, event);
  if (event->type() == QEvent::ToolTip) {
    auto* help = static_cast<QHelpEvent*>(event);
    const QPoint p = help->pos() - PanelThumbnail->ClientRect().topLeft();
    const std::string tip = workflow_->SlotToolTip(p.x(), p.y());
    if (tip.empty()) {
      QToolTip::hideText();
    } else {
      QToolTip::showText(help->globalPos(), FromSjis(tip), PanelThumbnail);
    }
    return true;
  }
  if (event->type() == QEvent::KeyPress) {
    switch (static_cast<QKeyEvent*>(event)->key()) {
      case Qt::Key_Left: workflow_->MoveSlot(-1, 0); return true;
      case Qt::Key_Right: workflow_->MoveSlot(1, 0); return true;
      case Qt::Key_Up: workflow_->MoveSlot(0, -1); return true;
      case Qt::Key_Down: workflow_->MoveSlot(0, 1); return true;
      case Qt::Key_Delete: workflow_->DeletePart(); return true;
      default: break;
    }
  }
  return QMainWindow::eventFilter(watched, event);
}
