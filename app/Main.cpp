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
#include <QMessageBox>
#include <QMimeData>
#include <QPainter>
#include <QPushButton>
#include <QToolTip>
#include <QUrl>

#include "app/NewFolder.h"
#include "platform/FileSystem.h"
#include "platform/Sjis.h"

namespace {
constexpr int kClientWidth = 428;
constexpr int kClientHeight = 364;
constexpr int kBorder = 2;  // single sunken border of the two panels

int ButtonIndex(Qt::MouseButton button) {
  switch (button) {
    case Qt::LeftButton: return 0;
    case Qt::RightButton: return 1;
    default: return 2;
  }
}
}  // namespace

QString FromSjis(const std::string& sjis) { return QString::fromStdString(platform::SjisToUtf8(sjis)); }

std::optional<std::string> ToSjis(const QString& text) { return platform::Utf8ToSjis(text.toStdString()); }

TSurfacePanel::TSurfacePanel(int clientWidth, int clientHeight, QWidget* parent)
    : QFrame(parent), picture_(clientWidth, clientHeight, QImage::Format_RGB32) {
  setFrameStyle(QFrame::Panel | QFrame::Sunken);
  setLineWidth(kBorder);
  picture_.fill(palette().color(QPalette::Button));
  dc_.pixels = reinterpret_cast<std::uint32_t*>(picture_.bits());
  dc_.width = clientWidth;
  dc_.height = clientHeight;
  dc_.pixelsPerRow = static_cast<int>(picture_.bytesPerLine() / 4);
  setMouseTracking(false);
}

HDC TSurfacePanel::BeginPaint() { return &dc_; }

void TSurfacePanel::EndPaint() {
  stale_ = false;
  if (!inPaint_) repaint(contentsRect());
}

void TSurfacePanel::Invalidate() {
  stale_ = true;
  update();
}

void TSurfacePanel::paintEvent(QPaintEvent* event) {
  QFrame::paintEvent(event);
  if (stale_ && OnPaint) {
    inPaint_ = true;
    OnPaint(this);
    inPaint_ = false;
    stale_ = false;
  }
  QPainter painter(this);
  painter.drawImage(contentsRect().topLeft(), picture_);
}

void TSurfacePanel::mousePressEvent(QMouseEvent* event) {
  QPoint p = event->position().toPoint() - contentsRect().topLeft();
  if (OnMouseDown) OnMouseDown(this, p.x(), p.y(), event->button(), event->buttons());
}

void TSurfacePanel::mouseMoveEvent(QMouseEvent* event) {
  QPoint p = event->position().toPoint() - contentsRect().topLeft();
  if (OnMouseMove) OnMouseMove(this, p.x(), p.y(), event->buttons());
}

TFormMain::TFormMain(QWidget* parent) : QMainWindow(parent) {
  setWindowTitle("Partwell!");
  BuildControls();
  setAcceptDrops(true);
  workflow_ = std::make_unique<Workflow>(*this);
  workflow_->Construct();
}

TFormMain::~TFormMain() = default;

void TFormMain::BuildControls() {
  QMenu* menuFile = menuBar()->addMenu(QString::fromUtf8("ファイル(&F)"));
  menuFile->addAction(QString::fromUtf8("終了"), this, [this] { close(); });
  QMenu* menuHelp = menuBar()->addMenu(QString::fromUtf8("ヘルプ(&H)"));
  menuHelp->addAction(QString::fromUtf8("partwell.htmの表示"), this, [this] { MenuIndexClick(); });

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
  EditFile->setReadOnly(true);
  EditFile->setFocusPolicy(Qt::NoFocus);
  EditFile->setStyleSheet("QLineEdit { background: palette(button); }");
  BtnLoad = new QPushButton(QString::fromUtf8("読込"), client);
  BtnLoad->setGeometry(176, 56, 89, 25);
  BtnLoad->setDefault(true);
  LabelPolygon = label("ポリゴン数", 184, 8);
  LabelPolygon->setFixedWidth(53);
  LabelPolygon->setAlignment(Qt::AlignRight);
  LabelPolyCount = label("", 240, 8);
  LabelPolyCount->setFixedWidth(40);
  PanelRend = new TSurfacePanel(128, 96, client);
  PanelRend->setGeometry(280, 0, 128 + 2 * kBorder, 96 + 2 * kBorder);
  LabelFolder = label("フォルダ", 16, 104);
  ListFolder = new QListWidget(client);
  ListFolder->setGeometry(16, 120, 121, 196);
  LabelCatalog = label("カタログ", 152, 104);
  LabelPartsName = label("", 208, 104);
  LabelPartsName->setFixedWidth(200);
  PanelThumbnail = new TSurfacePanel(256, 192, client);
  PanelThumbnail->setGeometry(152, 120, 256 + 2 * kBorder, 192 + 2 * kBorder);
  auto button = [client](const char* text, int x, int w) {
    auto* b = new QPushButton(QString::fromUtf8(text), client);
    b->setGeometry(x, 328, w, 25);
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

  connect(BtnLoad, &QPushButton::clicked, this, [this] { BtnLoadClick(); });
  connect(ListFolder, &QListWidget::itemClicked, this, [this] { workflow_->ShowCatalog(); });
  connect(ListFolder, &QListWidget::itemDoubleClicked, this, [this] { workflow_->RenameFolder(); });
  connect(BtnNewFolder, &QPushButton::clicked, this, [this] { workflow_->CreateFolder(); });
  connect(BtnSetFolder, &QPushButton::clicked, this, [this] { workflow_->RenameFolder(); });
  connect(BtnRegister, &QPushButton::clicked, this, [this] { workflow_->RegisterPart(); });
  connect(BtnDelete, &QPushButton::clicked, this, [this] { workflow_->DeletePart(); });
  PanelThumbnail->setFocusPolicy(Qt::StrongFocus);
  PanelThumbnail->installEventFilter(this);
  PanelThumbnail->OnPaint = [this](TSurfacePanel*) { workflow_->PaintCatalog(); };
  PanelThumbnail->OnMouseDown = [this](TSurfacePanel*, int x, int y, Qt::MouseButton b, Qt::MouseButtons) {
    workflow_->SelectSlot(x, y, ButtonIndex(b));
  };
  PanelRend->OnPaint = [this](TSurfacePanel*) { workflow_->RenderPreview(); };
  PanelRend->OnMouseDown = [this](TSurfacePanel*, int x, int y, Qt::MouseButton b, Qt::MouseButtons) {
    workflow_->PressPreview(x, y, ButtonIndex(b));
  };
  PanelRend->OnMouseMove = [this](TSurfacePanel*, int x, int y, Qt::MouseButtons held) {
    if (held & Qt::LeftButton) workflow_->RotatePreview(x, y);
    if (held & Qt::RightButton) workflow_->ZoomPreview(x, y);
  };

  // Fixed single border: the window can be neither resized nor maximised.
  setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
  layout()->setSizeConstraint(QLayout::SetFixedSize);
}

int TFormMain::MessageBox(const std::string& text, const std::string& title, unsigned flags) {
  QMessageBox box(this);
  box.setWindowTitle(FromSjis(title));
  box.setText(FromSjis(text));
  switch (flags & 0xF0) {
    case MB_ICONERROR: box.setIcon(QMessageBox::Critical); break;
    case MB_ICONQUESTION: box.setIcon(QMessageBox::Question); break;
    case MB_ICONEXCLAMATION: box.setIcon(QMessageBox::Warning); break;
    case MB_ICONINFORMATION: box.setIcon(QMessageBox::Information); break;
    default: break;
  }
  if ((flags & 0x0F) == MB_YESNO) {
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    return box.exec() == QMessageBox::Yes ? IDYES : IDNO;
  }
  box.setStandardButtons(QMessageBox::Ok);
  box.exec();
  return IDOK;
}

void TFormMain::SetEditFileText(const std::string& text) { EditFile->setText(FromSjis(text)); }
void TFormMain::SetPolyCountCaption(const std::string& text) { LabelPolyCount->setText(FromSjis(text)); }
void TFormMain::SetPartsNameCaption(const std::string& text) { LabelPartsName->setText(FromSjis(text)); }
void TFormMain::SetRegisterEnabled(bool enabled) { BtnRegister->setEnabled(enabled); }
void TFormMain::SetDeleteEnabled(bool enabled) { BtnDelete->setEnabled(enabled); }
void TFormMain::BeginFolderUpdate() { ListFolder->setUpdatesEnabled(false); }
void TFormMain::EndFolderUpdate() { ListFolder->setUpdatesEnabled(true); }
void TFormMain::ClearFolderList() { ListFolder->clear(); }
void TFormMain::AddFolderLine(const std::string& text) { ListFolder->addItem(FromSjis(text)); }
void TFormMain::SelectFolderLine(int index) {
  QSignalBlocker quiet(ListFolder);
  ListFolder->setCurrentRow(index);
}
void TFormMain::ReplaceFolderLine(int index, const std::string& text) {
  if (QListWidgetItem* item = ListFolder->item(index)) item->setText(FromSjis(text));
}
int TFormMain::SelectedFolderLine() const {
  QListWidgetItem* item = ListFolder->currentItem();
  return item != nullptr && item->isSelected() ? ListFolder->row(item) : -1;
}
HDC TFormMain::BeginPaintThumbnail() { return PanelThumbnail->BeginPaint(); }
void TFormMain::EndPaintThumbnail() { PanelThumbnail->EndPaint(); }
HDC TFormMain::BeginPaintPreview() { return PanelRend->BeginPaint(); }
void TFormMain::EndPaintPreview() { PanelRend->EndPaint(); }
void TFormMain::InvalidatePreview() { PanelRend->Invalidate(); }

bool TFormMain::RunFolderDialog(FolderDialogState& state) {
  TDlgNewFolder dialog(state, [this](const FolderDialogState& s) { return workflow_->CheckFolderDialog(s); }, this);
  return dialog.exec() == QDialog::Accepted;
}

void TFormMain::BtnLoadClick() {
  QString file = QFileDialog::getOpenFileName(this, QString(), QString(), "SUF File (*.suf)");
  if (file.isEmpty()) return;
  auto sjis = ToSjis(file);
  if (!sjis) {
    MessageBox(Workflow::Text("このファイル名はShift-JISで表せません。"), "Partwell!", MB_ICONEXCLAMATION);
    return;
  }
  workflow_->SetEditFile(*sjis);
  workflow_->LoadShape();
}

void TFormMain::MenuIndexClick() {
  const std::string help = workflow_->ProgramFolder + "partwell.htm";
  if (!platform::FileExists(help) ||
      !QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(platform::HostPath(help))))) {
    MessageBox(Workflow::Text("partwell.htmが見つかりません"), "Partwell!", MB_ICONEXCLAMATION);
  }
}

void TFormMain::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

namespace {
std::vector<std::string> DroppedNames(const QList<QUrl>& urls) {
  std::vector<std::string> names;
  if (!urls.isEmpty()) {
    auto sjis = ToSjis(urls.front().toLocalFile());
    if (sjis) names.push_back(*sjis);
  }
  return names;
}
}  // namespace

void TFormMain::dropEvent(QDropEvent* event) {
  event->acceptProposedAction();
  const QPoint onPanel = PanelThumbnail->mapFrom(this, event->position().toPoint());
  if (PanelThumbnail->contentsRect().contains(onPanel)) {
    const QPoint p = onPanel - PanelThumbnail->contentsRect().topLeft();
    workflow_->DropFilesOnSlot(p.x(), p.y(), DroppedNames(event->mimeData()->urls()));
    return;
  }
  DropUrls(event->mimeData()->urls());
}

void TFormMain::DropUrls(const QList<QUrl>& urls) { workflow_->DropFiles(DroppedNames(urls)); }

bool TFormMain::eventFilter(QObject* watched, QEvent* event) {
  if (watched != PanelThumbnail) return QMainWindow::eventFilter(watched, event);
  if (event->type() == QEvent::ToolTip) {
    auto* help = static_cast<QHelpEvent*>(event);
    const QPoint p = help->pos() - PanelThumbnail->contentsRect().topLeft();
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
