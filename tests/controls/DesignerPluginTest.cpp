// The Designer plugin as Designer meets it: loaded from its file, its entries read one by one.
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QMetaEnum>
#include <QMetaProperty>
#include <QPluginLoader>
#include <QTest>
#include <QWidget>
#include <memory>

#include "tests/common/QtTestRegistry.h"

#ifdef PARTWELL_DESIGNER_PLUGIN
#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>
#endif

class DesignerPluginTest : public QObject {
  Q_OBJECT

 private slots:
  void offersEveryWidgetUnderMaxInPaletteOrder() {
#ifndef PARTWELL_DESIGNER_PLUGIN
    QSKIP("built without the Qt Designer headers");
#else
    QPluginLoader loader(QStringLiteral(PARTWELL_DESIGNER_PLUGIN));
    QVERIFY2(loader.load(), qPrintable(loader.errorString()));
    QCOMPARE(loader.metaData().value("IID").toString(),
             QStringLiteral("org.qt-project.Qt.QDesignerCustomWidgetCollectionInterface"));
    auto* collection = qobject_cast<QDesignerCustomWidgetCollectionInterface*>(loader.instance());
    QVERIFY(collection);
    const QList<QDesignerCustomWidgetInterface*> widgets = collection->customWidgets();
    QStringList names, containers;
    for (QDesignerCustomWidgetInterface* w : widgets) {
      names << w->name();
      if (w->isContainer()) containers << w->name();
      QCOMPARE(w->group(), QStringLiteral("MAX"));
      QVERIFY2(QFileInfo::exists(QStringLiteral(PARTWELL_SOURCE_DIR "/") + w->includeFile()),
               qPrintable(w->includeFile()));
      QVERIFY(w->domXml().contains(QStringLiteral("class=\"%1\"").arg(w->name())));
      QVERIFY(!w->icon().isNull());
    }
    // The palette order of the seven units; the three dialogs are objects, not widgets.
    QCOMPARE(names, (QStringList{"TPaintPanel", "TTextPanel", "TMaxColorCircle", "TMaxColorBar",
                                 "TMaxColorPanel", "TMaxButton", "TMaxCheck", "TMaxTrack", "TMaxEdit",
                                 "TMaxNumberEdit", "TMaxControlBox", "TMaxPanel", "TMaxGroupBox",
                                 "TMaxListBox"}));
    QCOMPARE(containers, (QStringList{"TMaxControlBox", "TMaxPanel", "TMaxGroupBox"}));
    loader.unload();
#endif
  }

  // What Designer creates is the family's widget, with its published properties readable by name.
  void createdWidgetsPublishTheirProperties() {
#ifndef PARTWELL_DESIGNER_PLUGIN
    QSKIP("built without the Qt Designer headers");
#else
    QPluginLoader loader(QStringLiteral(PARTWELL_DESIGNER_PLUGIN));
    auto* collection = qobject_cast<QDesignerCustomWidgetCollectionInterface*>(loader.instance());
    QVERIFY(collection);
    const QMap<QString, QStringList> published = {
        {"TMaxButton", {"Alignment", "AllowAllUp", "Caption", "Caption2", "Down", "Glyph", "GroupIndex", "Style"}},
        {"TMaxCheck", {"Checked", "Caption", "Color"}},
        {"TMaxTrack", {"Min", "Max", "Position", "Color"}},
        {"TMaxGroupBox", {"Style", "Minimized", "MaxHeight", "ChildPanel", "NextGroup", "NextOffset"}},
        {"TMaxListBox", {"LeftMargin", "MarginColor", "EnableKeyboard", "MouseWheel", "Items"}},
        {"TMaxPanel", {"BevelOuter", "BorderStyle", "Caption"}},
    };
    QWidget form;
    int checked = 0;
    for (QDesignerCustomWidgetInterface* w : collection->customWidgets()) {
      std::unique_ptr<QWidget> widget(w->createWidget(&form));
      QVERIFY(widget);
      QCOMPARE(QString::fromLatin1(widget->metaObject()->className()), w->name());
      for (const QString& property : published.value(w->name())) {
        QVERIFY2(widget->metaObject()->indexOfProperty(property.toLatin1()) >= 0,
                 qPrintable(w->name() + "." + property));
        ++checked;
      }
      if (w->name() == "TMaxListBox") {
        const QMetaProperty wheel = widget->metaObject()->property(widget->metaObject()->indexOfProperty("MouseWheel"));
        QVERIFY(wheel.isEnumType());
        QCOMPARE(QString(wheel.enumerator().valueToKey(2)), QStringLiteral("mwOnlyOnControl"));
      }
      if (w->name() == "TMaxButton") {
        QVERIFY(widget->setProperty("Style", "mbsGradation"));
        QCOMPARE(widget->property("Style").toInt(), 1);
      }
      if (w->name() == "TMaxTrack") {
        QVERIFY(widget->setProperty("Position", 0.25f));
        QCOMPARE(widget->property("Position").toFloat(), 0.25f);
      }
    }
    QCOMPARE(checked, 29);
    loader.unload();
#endif
  }

  // cmake --install puts the plugin where this Qt looks for Designer plugins.
  void installedBesideQtsDesignerPlugins() {
#ifndef PARTWELL_DESIGNER_INSTALL_DIR
    QSKIP("built without the Qt Designer headers");
#else
    const QString qtPlugins = QLibraryInfo::path(QLibraryInfo::PluginsPath) + "/designer";
    QCOMPARE(QDir::cleanPath(QStringLiteral(PARTWELL_DESIGNER_INSTALL_DIR)), QDir::cleanPath(qtPlugins));
#endif
  }
};
PARTWELL_QTEST(DesignerPluginTest)

#include "DesignerPluginTest.moc"
