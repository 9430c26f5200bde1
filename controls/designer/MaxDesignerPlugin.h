// The widget family in Qt Designer: one custom-widget entry per class, group "MAX", in palette
// order. Designer reads each widget's published properties from its meta-object.
#pragma once

#include <QObject>
#include <QSize>
#include <QString>
#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>
#include <functional>

class TMaxDesignerWidget : public QObject, public QDesignerCustomWidgetInterface {
  Q_OBJECT
  Q_INTERFACES(QDesignerCustomWidgetInterface)

 public:
  using Factory = std::function<QWidget*(QWidget* parent)>;

  TMaxDesignerWidget(const QString& className, const QString& includeFile, QSize size, bool container,
                     Factory make, QObject* parent);

  QString name() const override { return className_; }
  QString group() const override { return QStringLiteral("MAX"); }
  QString toolTip() const override { return className_; }
  QString whatsThis() const override;
  QString includeFile() const override { return includeFile_; }
  QIcon icon() const override;
  bool isContainer() const override { return container_; }
  QWidget* createWidget(QWidget* parent) override { return make_(parent); }
  bool isInitialized() const override { return initialized_; }
  void initialize(QDesignerFormEditorInterface*) override { initialized_ = true; }
  QString domXml() const override;

 private:
  QString className_;
  QString includeFile_;
  QSize size_;
  bool container_;
  Factory make_;
  bool initialized_ = false;
};

class TMaxDesignerCollection : public QObject, public QDesignerCustomWidgetCollectionInterface {
  Q_OBJECT
  Q_PLUGIN_METADATA(IID "org.qt-project.Qt.QDesignerCustomWidgetCollectionInterface")
  Q_INTERFACES(QDesignerCustomWidgetCollectionInterface)

 public:
  explicit TMaxDesignerCollection(QObject* parent = nullptr);

  QList<QDesignerCustomWidgetInterface*> customWidgets() const override { return widgets_; }

 private:
  QList<QDesignerCustomWidgetInterface*> widgets_;
};
