#include "icons/iconmanage.h"
#include "ui_iconmanage.h"

#include "data/appglobals.h"
#include "data/configsettings.h"
#include "data/interfacepublicdata.h"
#include "icons/iconlibrary.h"
#include "icons/iconwidgetitem.h"
#include "widgets/labelmessagebox.h"

#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QMessageBox>
#include <QMimeData>
#include <QRegularExpressionValidator>
#include <QShortcut>

namespace {
const QString ScratchPath = QString::fromLatin1(IconLibrary::ScratchPath);
} // namespace

QPointer<IconManage> IconManage::self;

IconManage *IconManage::instance(QWidget *parent)
{
    if (!self && parent)
        self = new IconManage(parent);
    return self;
}

IconManage::IconManage(QWidget *parent) : QDialog(parent), ui(new Ui::IconManage)
{
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::WindowCloseButtonHint);
    // A label's mnemonic takes the focus to the field it names.
    ui->label_Notice->setBuddy(ui->lineEdit_Notice);
    ui->label_Pic->setBuddy(ui->pushButton_AddPic);
    ui->pushButton_AddPic->setToolTip(tr("选择图片文件"));
    ui->pushButton_AddPic->setAccessibleName(tr("选择图片文件"));
    // Delete on a chosen icon asks as the button does; a field being typed in keeps the key.
    connect(new QShortcut(QKeySequence::Delete, this), &QShortcut::activated, this,
            [this]() { ui->pushButton_DeleteIcon->animateClick(); });

    connect(&interfacePublicData, &InterfacePublicData::SIGNALReceiveQueryData, this, &IconManage::slotReceiveQueryData,
            Qt::UniqueConnection);
    connect(&interfacePublicData, &InterfacePublicData::SIGNALIconItemOperate, this, &IconManage::slotIconItemOperate,
            Qt::UniqueConnection);
    connect(&interfacePublicData, &InterfacePublicData::SIGNALShowIconNoticeAlways, this,
            &IconManage::slotShowIconNoticeAlways, Qt::UniqueConnection);

    ui->lineEdit_PicPath->installEventFilter(this);
    ui->label_IconEdit->setScaledContents(true);
    ui->label_IconEditNew->setScaledContents(true);
    ui->lineEdit_Notice->setValidator(new QRegularExpressionValidator(IconLibrary::noteRule(), this));
    ui->pushButton_ShowIconNoticeAlways->setChecked(AppGlobals::showIconNoticeAlways);

    loadLists();
    resetPanel();
}

IconManage::~IconManage()
{
    // A later main window (a test builds several) creates its own.
    if (self == this)
        self = nullptr;
    delete ui;
}

QString IconManage::selectIcon(int kind)
{
    if (kind == IconLibrary::KindTask)
        ui->tabWidget_IconArea->setCurrentWidget(ui->tab_Task);
    else if (kind == IconLibrary::KindBirthday)
        ui->tabWidget_IconArea->setCurrentWidget(ui->tab_Birthday);
    resetSelection();
    exec();
    return selectedPath;
}

void IconManage::loadLists()
{
    emit interfacePublicData.SIGNALSendQuery(IconListNextId, QVariant());
    emit interfacePublicData.SIGNALSendQuery(IconListSelect, IconLibrary::KindTask);
    emit interfacePublicData.SIGNALSendQuery(IconListSelect, IconLibrary::KindBirthday);
}

void IconManage::slotReceiveQueryData(SqlOperateType operate, QVariant var)
{
    switch (operate) {
    case IconListNextId:
        nextId = var.toInt();
        break;
    case IconListInsert:
        // A picture whose row was not written would be a file nothing lists.
        if (!pendingInserts.isEmpty()) {
            const QString placed = pendingInserts.takeFirst();
            if (!var.toBool())
                QFile::remove(placed);
        }
        loadLists();
        break;
    case IconListDelete:
    case IconListUpdate:
        loadLists();
        break;
    case IconListSelect:
        showList(var.value<QList<QStringList>>());
        break;
    default:
        break;
    }
}

void IconManage::showList(QList<QStringList> rows)
{
    if (rows.isEmpty())
        return;
    const int kind = rows.takeLast().value(0).toInt();
    QScrollArea *area = kind == IconLibrary::KindBirthday ? ui->scrollArea_Birthday : ui->scrollArea_Task;

    auto *container = new QWidget();
    auto *grid = new QGridLayout(container);
    grid->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    grid->addWidget(new IconWidgetItem(container, 0, kind, IconLibrary::defaultPath(kind), tr("默认")), 0, 0);
    int position = 1;
    for (const QStringList &row : qAsConst(rows)) {
        if (row.size() < 4)
            continue;
        grid->addWidget(new IconWidgetItem(container, row.at(0).toInt(), row.at(1).toInt(), row.at(2), row.at(3)),
                        position / IconLibrary::TilesPerRow, position % IconLibrary::TilesPerRow);
        ++position;
    }

    // A tile may still be on the call stack (its menu or a confirmation led here): delete the old ones later.
    if (QWidget *old = area->takeWidget())
        old->deleteLater();
    area->setWidget(container);
    resetSelection();
}

void IconManage::resetSelection()
{
    selectedId = -1;
    selectedPath.clear();
    selectedNotice.clear();
    ui->tabWidget_IconArea->setFocus();
    resetPanel();
}

void IconManage::resetPanel()
{
    editing = false;
    ui->radioButton_Task->setEnabled(true);
    ui->radioButton_Birthday->setEnabled(true);
    ui->lineEdit_Notice->setEnabled(true);
    ui->lineEdit_Notice->clear();
    ui->lineEdit_PicPath->clear();
    ui->label_IconEdit->hide();
    ui->label_IconEditChangeArrow->hide();
    ui->label_IconEditNew->hide();
    ui->widget_Add->hide();
    if (QFile::exists(ScratchPath))
        QFile::remove(ScratchPath);
}

bool IconManage::panelOpen() const
{
    return !ui->widget_Add->isHidden();
}

void IconManage::openForAdding()
{
    editing = false;
    // New pictures usually belong to the list being looked at.
    if (ui->tabWidget_IconArea->currentWidget() == ui->tab_Birthday)
        ui->radioButton_Birthday->setChecked(true);
    else
        ui->radioButton_Task->setChecked(true);
    ui->widget_Add->show();
}

void IconManage::openForEditing()
{
    editing = true;
    // A default picture keeps its kind and name: only the picture can be replaced.
    const bool isDefault = selectedId == 0;
    ui->radioButton_Task->setEnabled(!isDefault);
    ui->radioButton_Birthday->setEnabled(!isDefault);
    ui->lineEdit_Notice->setEnabled(!isDefault);
    if (selectedWhat == IconLibrary::KindBirthday)
        ui->radioButton_Birthday->setChecked(true);
    else
        ui->radioButton_Task->setChecked(true);
    ui->lineEdit_Notice->setText(selectedNotice);
    ui->label_IconEdit->setPixmap(QPixmap(selectedPath));
    ui->label_IconEdit->show();
    ui->widget_Add->show();
}

void IconManage::slotIconItemOperate(int id, int what, QString path, QString notice, int operate)
{
    selectedId = id;
    selectedWhat = what;
    selectedPath = path;
    selectedNotice = notice;
    if (operate == IconWidgetItem::OperateEdit) {
        resetPanel();
        openForEditing();
        return;
    }
    resetPanel();
    if (operate == IconWidgetItem::OperateChoose)
        accept();
    else if (operate == IconWidgetItem::OperateDelete)
        deleteSelected();
}

void IconManage::slotShowIconNoticeAlways(bool show)
{
    ui->pushButton_ShowIconNoticeAlways->setChecked(show);
    loadLists();
}

void IconManage::on_pushButton_SelectIcon_clicked()
{
    accept();
}

void IconManage::on_pushButton_AddIcon_clicked()
{
    const bool wasAdding = panelOpen() && !editing;
    resetPanel();
    if (!wasAdding)
        openForAdding();
}

void IconManage::on_pushButton_EditIcon_clicked()
{
    if (selectedId < 0) {
        informNothingSelected();
        return;
    }
    const bool wasEditing = panelOpen() && editing;
    resetPanel();
    if (!wasEditing)
        openForEditing();
}

void IconManage::on_pushButton_DeleteIcon_clicked()
{
    resetPanel();
    deleteSelected();
}

void IconManage::informNothingSelected()
{
    QMessageBox::information(this, tr("未选择图标"), tr("请选择一个图标进行操作"));
}

void IconManage::on_pushButton_AddPic_clicked()
{
    const QString file =
        QFileDialog::getOpenFileName(this, tr("请选择图片文件"), QString(), tr("图片文件(*.jpg *.png)"));
    if (!file.isEmpty())
        loadPicture(file);
}

void IconManage::loadPicture(const QString &file)
{
    QImageReader reader(file);
    const QSize size = reader.size();
    if (IconLibrary::isTooLarge(size)) {
        QMessageBox::information(this, tr("图片太大"),
                                 tr("这张图片有 %1 × %2 像素，超过了可以导入的 %3 百万像素。\n请先把它缩小，再导入。")
                                     .arg(size.width())
                                     .arg(size.height())
                                     .arg(IconLibrary::MaxPicturePixels / 1000000));
        return;
    }
    const QImage square = IconLibrary::readConverted(reader);
    if (square.isNull()) {
        QMessageBox::information(this, tr("无法读取图片"),
                                 tr("这个文件不是可以读取的 JPEG 或 PNG 图片：\n%1\n%2")
                                     .arg(QDir::toNativeSeparators(file), reader.errorString()));
        return;
    }
    QString error;
    if (!IconLibrary::writePicture(square, ScratchPath, &error)) {
        QMessageBox::information(this, tr("保存失败"), error);
        return;
    }
    ui->lineEdit_PicPath->setText(file);
    ui->label_IconEditNew->setPixmap(QPixmap::fromImage(square));
    ui->label_IconEditNew->show();
    ui->label_IconEditChangeArrow->setVisible(editing);
}

bool IconManage::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != ui->lineEdit_PicPath)
        return QDialog::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        // The field is read-only and would refuse the drag on its own.
        auto *drag = static_cast<QDragMoveEvent *>(event);
        drag->setDropAction(Qt::LinkAction);
        drag->accept();
        return true;
    }
    case QEvent::Drop: {
        const QList<QUrl> urls = static_cast<QDropEvent *>(event)->mimeData()->urls();
        if (!urls.isEmpty()) {
            const QString file = urls.first().toLocalFile();
            if (IconLibrary::isDroppablePicture(file))
                loadPicture(file);
        }
        return true;
    }
    case QEvent::MouseButtonPress:
        on_pushButton_AddPic_clicked();
        return true;
    default:
        return QDialog::eventFilter(watched, event);
    }
}

bool IconManage::mayReplace(const QString &path)
{
    if (!QFileInfo::exists(path) || (editing && IconLibrary::isSameFile(path, selectedPath)))
        return true;
    return QMessageBox::question(this, tr("图片已存在"),
                                 tr("已有同名的图片文件，是否替换？") + QStringLiteral("\n") + path,
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}

void IconManage::informNotSaved(const QString &path)
{
    QMessageBox::information(this, tr("保存失败"),
                             tr("图片未能保存，请检查图标文件夹是否可以写入：\n%1")
                                 .arg(QDir::toNativeSeparators(QFileInfo(path).absolutePath())));
}

void IconManage::on_pushButton_AddOk_clicked()
{
    QString note = ui->lineEdit_Notice->text().trimmed();
    ui->lineEdit_Notice->setText(note);
    const bool newPicture = !ui->lineEdit_PicPath->text().isEmpty();
    if (!editing && !newPicture) {
        QMessageBox::information(this, tr("请选择图片"), tr("请选择待转换的图片"));
        return;
    }

    int what = ui->radioButton_Birthday->isChecked() ? IconLibrary::KindBirthday : IconLibrary::KindTask;
    QString path = IconLibrary::picturePath(what, editing ? selectedId : nextId, note);
    if (editing && selectedId == 0) {
        what = selectedWhat;
        path = selectedPath;
        note = selectedNotice;
    }

    if (!editing) {
        if (!mayReplace(path))
            return;
        // The catalogue must never name a file that is not there.
        if (!IconLibrary::placeFile(ScratchPath, path)) {
            informNotSaved(path);
            return;
        }
        const QStringList icon{QString::number(nextId), QString::number(what), path, note};
        pendingInserts.append(path);
        resetPanel();
        emit interfacePublicData.SIGNALSendQuery(IconListInsert, icon);
        return;
    }

    const bool pathChanged = path != selectedPath;
    if (!newPicture && !pathChanged && note == selectedNotice) {
        QMessageBox::information(this, tr("无更改"), tr("未进行任何更改"));
        resetPanel();
        return;
    }
    if (pathChanged && !mayReplace(path))
        return;
    if (!IconLibrary::placeFile(newPicture ? ScratchPath : selectedPath, path)) {
        informNotSaved(path);
        return;
    }
    // The replaced picture under its old name is no longer catalogued.
    if (newPicture && pathChanged && !IconLibrary::isSameFile(selectedPath, path))
        QFile::remove(selectedPath);

    const QString flag = newPicture || pathChanged ? QStringLiteral("checkOldYes") : QStringLiteral("checkOldNo");
    const QStringList update{flag, QString::number(selectedId), QString::number(what), selectedPath, path, note};
    resetPanel();
    emit interfacePublicData.SIGNALSendQuery(IconListUpdate, update);
}

void IconManage::on_pushButton_AddCancel_clicked()
{
    resetPanel();
}

void IconManage::on_IconManage_finished(int)
{
    resetPanel();
}

void IconManage::on_IconManage_rejected()
{
    resetSelection();
}

void IconManage::deleteSelected()
{
    if (selectedId < 0) {
        informNothingSelected();
        return;
    }
    // Tasks and birthdays fall back to the default picture, which therefore has to stay.
    if (selectedId == 0) {
        QMessageBox::information(this, tr("无法删除"), tr("默认图标不能删除，只能更换图片"));
        return;
    }
    // The lists may reload while the question is open, which clears the selection: keep what was asked about.
    const int id = selectedId;
    const int what = selectedWhat;
    const QString path = selectedPath;
    const QString text =
        QStringLiteral("%1: \n%2: %3\n%4: %5").arg(tr("请确认删除信息"), tr("路径"), path, tr("备注"), selectedNotice);
    LabelMessageBox box(this, tr("确认删除？"), text, path, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel);
    if (box.exec() != QMessageBox::Ok)
        return;
    emit interfacePublicData.SIGNALSendQuery(IconListDelete,
                                             QStringList{QString::number(id), path, IconLibrary::defaultPath(what)});
    // Already gone is fine: the catalogue entry goes either way.
    QFile::remove(path);
}

void IconManage::on_pushButton_ShowIconNoticeAlways_clicked(bool checked)
{
    ConfigSettings().setShowIconNoticeAlways(checked);
    AppGlobals::showIconNoticeAlways = checked;
    emit interfacePublicData.SIGNALShowIconNoticeAlways(checked);
}
