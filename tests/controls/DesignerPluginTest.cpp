// The Designer plugin as Designer meets it: loaded from its file, its entries read one by one.
#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QMetaEnum>
#include <QMetaProperty>
#include <QPluginLoader>
#include <QTest>
#include <QUiLoader>
#include <QWidget>
#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>
#include <memory>

#include "tests/common/QtTestRegistry.h"

class DesignerPluginTest : public QObject {
  Q_OBJECT

 private slots:
  void offersEveryWidgetUnderMaxInPaletteOrder() {
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
  }

  // What Designer creates is the family's widget, with its published properties readable by name.
  void createdWidgetsPublishTheirProperties() {
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
  }

  // A form file naming the family's classes, read the way Designer's form builder reads it: through
  // the plugin, with enumerations by name and a button inside a group box.
  void formFileBuildsThroughThePlugin() {
    QUiLoader loader;
    loader.clearPluginPaths();
    loader.addPluginPath(QFileInfo(QStringLiteral(PARTWELL_DESIGNER_PLUGIN)).absolutePath());
    QVERIFY(loader.availableWidgets().contains("TMaxListBox"));
    QByteArray ui = R"(<ui version="4.0"><class>Form</class>
 <widget class="QWidget" name="Form">
  <widget class="TMaxGroupBox" name="MaxGroupBox1">
   <property name="Caption"><string>Group</string></property>
   <property name="Style"><enum>mgbAlias</enum></property>
   <property name="NextOffset"><number>3</number></property>
   <widget class="TMaxButton" name="MaxButton1">
    <property name="GroupIndex"><number>4</number></property>
    <property name="Down"><bool>true</bool></property>
   </widget>
  </widget>
  <widget class="TMaxListBox" name="MaxListBox1">
   <property name="MouseWheel"><enum>mwOnlyOnControl</enum></property>
   <property name="LeftMargin"><number>12</number></property>
  </widget>
 </widget>
</ui>)";
    QBuffer buffer(&ui);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    std::unique_ptr<QWidget> form(loader.load(&buffer));
    QVERIFY2(form, qPrintable(loader.errorString()));
    QObject* box = form->findChild<QObject*>("MaxGroupBox1");
    QObject* button = form->findChild<QObject*>("MaxButton1");
    QObject* list = form->findChild<QObject*>("MaxListBox1");
    QVERIFY(box && button && list);
    QCOMPARE(QString(box->metaObject()->className()), QStringLiteral("TMaxGroupBox"));
    QCOMPARE(box->property("Style").toInt(), 1);
    QCOMPARE(box->property("NextOffset").toInt(), 3);
    QCOMPARE(button->parent(), box);
    QCOMPARE(button->property("Down").toBool(), true);
    QCOMPARE(list->property("MouseWheel").toInt(), 2);
    QCOMPARE(list->property("LeftMargin").toInt(), 12);
  }

  // cmake --install puts the plugin where this Qt looks for Designer plugins.
  void installedBesideQtsDesignerPlugins() {
    const QString qtPlugins = QLibraryInfo::path(QLibraryInfo::PluginsPath) + "/designer";
    QCOMPARE(QDir::cleanPath(QStringLiteral(PARTWELL_DESIGNER_INSTALL_DIR)), QDir::cleanPath(qtPlugins));
  }
};
PARTWELL_QTEST(DesignerPluginTest)

#include "DesignerPluginTest.moc"
