#include "playlist/FormPLS.h"

#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPalette>

#include "app/Wiring.h"
#include "platform/Bitmap.h"
#include "platform/BrowseFolder.h"
#include "platform/Paths.h"
#include "platform/PlaybackControl.h"
#include "platform/Screen.h"
#include "playlist/PlaylistFile.h"
#include "skin/Sprite.h"
#include "skin/mdlSkin.h"

FormPLS::FormPLS(Wiring& wiring) : Form(Qt::Tool | Qt::FramelessWindowHint), wiring_(wiring) {
    setObjectName(QStringLiteral("FormPLS"));
    setWindowTitle(QStringLiteral("Solvane Playlist"));
    createFrame();
    createWorkingControls();
    createHotspots();
    announceUpcomingChanges();
    MessageBox = [this](const QString& text) {
        QMessageBox::information(this, QStringLiteral("Solvane"), text);
    };
    SetSize(4125.0f, 3915.0f);
}

FormPLS::~FormPLS() = default;

PictureBox* FormPLS::box(QWidget* parent, float left, float top, float width, float height,
                         int index) {
    auto* picture = new PictureBox(parent, index);
    picture->Move(left, top, width, height);
    return picture;
}

void FormPLS::createFrame() {
    // Bottom to top: the edges under the bars, so that the bars' corners show.
    LeftBar = box(this, 0, 0, 375, 3915);
    RightBar[0] = box(this, 3750, 240, 375, 3135);
    for (int k = 1; k <= 7; ++k)
        RightBar[k] = box(RightBar[0], 0, 240 + 420.0f * (k - 1), 375, 435, k);
    BotmBar = box(this, 0, 3345, 4125, 570);
    Bar[1] = box(this, 0, 0, 4125, 300, 1);
    Bar[0] = box(this, 0, 0, 4125, 300, 0);
    Bar[1]->hide();

    Addbtn = box(this, 210, 3465, 330, 270);
    Remove = box(this, 645, 3465, 330, 270);
    Select = box(this, 1080, 3465, 330, 270);
    Misc = box(this, 1515, 3465, 330, 270);
    List = box(this, 3465, 3465, 330, 270);

    // The button menus stay folded away until a button opens one.
    AddMen = box(this, 210, 2925, 330, 810);
    RemMen = box(this, 645, 2655, 330, 1080);
    SelMen = box(this, 1080, 2925, 330, 810);
    MisMen = box(this, 1515, 2925, 330, 810);
    ListMen = box(this, 3465, 2925, 330, 810);
    for (int k = 0; k < 3; ++k) {
        ButtonAdd[k] = box(AddMen, 0, 270.0f * k, 330, 270, k);
        ButtonSel[k] = box(SelMen, 0, 270.0f * k, 330, 270, k);
        ButtonMis[k] = box(MisMen, 0, 270.0f * k, 330, 270, k);
        ButtonLst[k] = box(ListMen, 0, 270.0f * k, 330, 270, k);
    }
    for (int k = 0; k < 4; ++k) ButtonRem[k] = box(RemMen, 0, 270.0f * k, 330, 270, k);
    AddBar = box(this, 165, 2925, 45, 810);
    RemBar = box(this, 600, 2655, 45, 1080);
    SelBar = box(this, 1035, 2925, 45, 810);
    MisBar = box(this, 1470, 2925, 45, 810);
    ListBar = box(this, 3420, 2925, 45, 810);
    for (PictureBox* menu :
         {AddMen, RemMen, SelMen, MisMen, ListMen, AddBar, RemBar, SelBar, MisBar, ListBar})
        menu->hide();
    for (auto* items : {&ButtonAdd, &ButtonSel, &ButtonMis, &ButtonLst})
        for (PictureBox* button : *items) button->hide();
    for (PictureBox* button : ButtonRem) button->hide();

    Shade = box(this, 3825, 45, 135, 135);
    Shade2 = box(this, 3825, 45, 135, 135);
    ShadeD = box(this, 3825, 45, 135, 135);
    Exit = box(this, 3960, 45, 135, 135);
    Exit2 = box(this, 3960, 45, 135, 135);
    ExitD = box(this, 3960, 45, 135, 135);
    // Only the first face of each top-bar button is shown; nothing switches faces.
    for (PictureBox* face : {Shade2, ShadeD, Exit2, ExitD}) face->hide();
    Shade->raise();
    Exit->raise();

    PLEdit = box(this, 60, 5700, 4200, 2790);
    BASEPLEdit = box(PLEdit, 0, 0, 4200, 2790);
    PLEdit->hide();
    const QImage builtIn = Bitmap::Load(QStringLiteral(":/builtin/pledit.bmp"));
    PLEdit->SetPicture(builtIn);
    BASEPLEdit->SetPicture(builtIn);
}

void FormPLS::createWorkingControls() {
    List2 = new QListWidget(this);
    const auto place = [](QWidget* widget, float left, float top, float width, float height) {
        widget->setGeometry(Screen::ToPixelsX(left), Screen::ToPixelsY(top),
                            Screen::ToPixelsX(width), Screen::ToPixelsY(height));
    };
    place(List2, 120, 285, 3885, 3030);
    List2->setSelectionMode(QAbstractItemView::SingleSelection);
    List2->setFrameShape(QFrame::NoFrame);
    // White on black through the palette: a style sheet would cost start-up time.
    QPalette blackGround = List2->palette();
    for (QPalette::ColorRole role : {QPalette::Base, QPalette::Window})
        blackGround.setColor(role, Qt::black);
    for (QPalette::ColorRole role : {QPalette::Text, QPalette::WindowText})
        blackGround.setColor(role, Qt::white);
    List2->setPalette(blackGround);
    setPalette(blackGround);  // the seams between the frame pieces and the list stay dark
    setAutoFillBackground(true);
    QFont small(QStringLiteral("DejaVu Sans"));
    small.setPixelSize(10);
    List2->setFont(small);
    connect(List2, &QListWidget::itemClicked, this, [this] { List2_Click(); });
    connect(List2, &QListWidget::itemDoubleClicked, this, [this] { List2_DblClick(); });

    Text4 = new QLineEdit(QStringLiteral("0"), this);
    place(Text4, 2940, 3440, 375, 180);
    Text4->setFrame(false);
    Text4->setReadOnly(true);
    Text4->setPalette(blackGround);
    Text4->setFont(small);
    Text4->setAlignment(Qt::AlignCenter);
}

int FormPLS::EntryCount() const {
    return List2->count();
}

int FormPLS::CurrentIndex() const {
    return List2->currentRow();
}

void FormPLS::AppendEntry(const QString& path, const QString& name) {
    List1.append(path);
    List2->addItem(name);
}

QString FormPLS::Getfilename(const QString& path) {
    // The tail after the last separator; a final separator stays part of the result.
    for (qsizetype i = path.size() - 2; i >= 0; --i)
        if (path.at(i) == QLatin1Char('\\') || path.at(i) == QLatin1Char('/'))
            return path.mid(i + 1);
    return path;
}

void FormPLS::setText2(const QString& path) {
    Text2 = path;
    Text3 = Getfilename(Text2);
    Text3ToolTip = Text3;
}

void FormPLS::setTotalFiles(const QString& text) {
    lbltotalfiles = text;
    Text4->setText(lbltotalfiles);
}

void FormPLS::List2_Click() {
    setTotalFiles(QString::number(List2->count()));
}

void FormPLS::startEntry(int k) {
    if (k < 0 || k >= List2->count())
        return;  // nothing to start: ends quietly
    setText2(List1.value(k));
    List2->setCurrentRow(k);
    List2_Click();
    wiring_.Playback().SetFileName(Text2);
}

// At the last entry the list wraps; a one-entry list starts its entry again.
int FormPLS::indexAfter(int i, int n) {
    if (shuffle_)
        return shuffleOrder_.After(i, n);
    return i == n - 1 ? 0 : i + 1;
}

int FormPLS::indexBefore(int i, int n) {
    if (shuffle_)
        return shuffleOrder_.Before(i, n);
    return i <= 0 ? n - 1 : i - 1;
}

void FormPLS::PlayNext() {
    const int n = EntryCount();
    if (n == 0)
        return;
    startEntry(indexAfter(CurrentIndex(), n));
}

void FormPLS::PlayPrev() {
    startEntry(indexBefore(CurrentIndex(), EntryCount()));
}

void FormPLS::SetShuffle(bool on) {
    if (on == shuffle_)
        return;
    shuffle_ = on;
    if (on)
        shuffleOrder_.Restart(CurrentIndex(), EntryCount());
    emit UpcomingChanged();
}

QString FormPLS::UpcomingPath() {
    const int n = EntryCount();
    return n == 0 ? QString() : List1.value(indexAfter(CurrentIndex(), n));
}

void FormPLS::announceUpcomingChanges() {
    QAbstractItemModel* model = List2->model();
    connect(model, &QAbstractItemModel::rowsInserted, this, &FormPLS::UpcomingChanged);
    connect(model, &QAbstractItemModel::rowsRemoved, this, &FormPLS::UpcomingChanged);
    connect(model, &QAbstractItemModel::modelReset, this, &FormPLS::UpcomingChanged);
    connect(List2, &QListWidget::currentRowChanged, this, &FormPLS::UpcomingChanged);
    connect(List2, &QListWidget::itemSelectionChanged, this, &FormPLS::UpcomingChanged);
}

void FormPLS::List2_DblClick() {
    setText2(List1.value(CurrentIndex()));
    if (!Text2.isEmpty())
        wiring_.Playback().SetFileName(Text2);
}

void FormPLS::Add() {
    if (EntryCount() == 0)
        Nofiles = -1;
    AddFile();
    if (Nofiles == -1) {
        PlayNext();
        Nofiles = 0;
    }
}

void FormPLS::AddFile() {
    CD.SetFilter(QStringLiteral(
        "Supported Media Files|*.avi;*.asf;*.mpg;*.mpeg;*.wmv;*.divx;*.dat;*.slv;*.mp3|Divx/Avi "
        "files (divx avi)|"
        "*.avi;*.divx|Mpeg/MPG/Dat files (mpg mpeg dat)|*.mpg;*.mpeg;*.dat|Windows Media files "
        "(asf wmv)|"
        "*.asf;*.wmv|Solvane Playlist (slv)|*.slv"));
    CD.SetDialogTitle(QStringLiteral("Choose media to play"));
    CD.ShowOpen();
    MoviePath = CD.FileName();
    if (MoviePath.isEmpty())
        return;
    if (MoviePath.endsWith(QStringLiteral(".slv"))) {
        PullFromASX(MoviePath);
        return;
    }
    AppendEntry(MoviePath, Getfilename(MoviePath));
}

void FormPLS::LblAddDir_Click() {
    MoviePath = modBrowseFolder::BrowseFolder(this);
    if (MoviePath.isEmpty())
        return;
    const QDir folder(Paths::ToFileSystem(MoviePath));
    const QString prefix =
        MoviePath.endsWith(QLatin1Char('/')) ? MoviePath : MoviePath + QLatin1Char('/');
    for (const char* pattern : {"*.mpg", "*.mpeg", "*.avi", "*.asf", "*.divx", "*.dat"}) {
        const QStringList files =
            folder.entryList({QLatin1String(pattern)}, QDir::Files, QDir::Name);
        for (const QString& f : files) {
            const qsizetype dot = f.indexOf(QLatin1Char('.'));
            AppendEntry(prefix + f, dot < 0 ? f : f.left(dot));
        }
    }
}

void FormPLS::Clearlst() {
    List1.clear();
    List2->clear();
}

void FormPLS::SaveLst() {
    CD.SetFilter(QStringLiteral("Solvane Playlist (slv)|*.slv"));
    // A bare name gets ".slv", so the playlist can be loaded back as a playlist.
    CD.SetDefaultExt(QStringLiteral("slv"));
    CD.ShowSave();
    Text1 = CD.FileName();
    if (Text1.isEmpty())
        return;
    WriteToASX(Text1);
}

void FormPLS::WriteToASX(const QString& path) {
    QStringList names;
    for (int i = 0; i < List2->count(); ++i) names << List2->item(i)->text();
    if (const auto error = PlaylistFile::Write(path, PlaylistFile::Compose(List1, names)))
        MessageBox(QStringLiteral("There was an Error writing To the playlist: ") + *error);
}

void FormPLS::PullFromASX(const QString& path) {
    QString error;
    if (!PlaylistFile::Read(path, &Text1, &error))
        return;
    QStringList paths;
    const bool complete = PlaylistFile::Scan(Text1, PlaylistFile::PathMarker(), &paths).has_value();
    List1.append(paths);
    if (!complete)
        return;  // paths read before the failure stay; names are not read
    PullCosmeticsASX(path);
}

void FormPLS::PullCosmeticsASX(const QString& path) {
    QString text;
    QString error;
    if (!PlaylistFile::Read(path, &text, &error)) {
        MessageBox(QStringLiteral("There was an Error reading from the playlist: ") + error);
        return;
    }
    QStringList names;
    const bool complete = PlaylistFile::Scan(text, PlaylistFile::NameMarker(), &names).has_value();
    List2->addItems(names);
    if (!complete)
        MessageBox(QStringLiteral("There was an Error reading from the playlist: ") +
                   QStringLiteral("a name has no closing quote"));
}

void FormPLS::createHotspots() {
    imgMenu = new ImageControl(this);
    imgMenu->Move(3960, 0, 135, 135);
    connect(imgMenu, &ImageControl::MouseDown, this,
            [this] { mdlSkin::DrawSprite(wiring_, Sprite::TitleBar, 3, 1); });
    connect(imgMenu, &ImageControl::MouseUp, this, [this] {
        mdlSkin::DrawSprite(wiring_, Sprite::TitleBar, 2, 0);
        hide();
    });
    connect(Addbtn, &PictureBox::Clicked, this, [this] {
        popUpMenu(Addbtn, {{QStringLiteral("Add File"), [this] { Add(); }},
                           {QStringLiteral("Add Directory"), [this] { LblAddDir_Click(); }}});
    });
    connect(Remove, &PictureBox::Clicked, this, [this] {
        popUpMenu(Remove, {{QStringLiteral("Clear List"), [this] { Clearlst(); }}});
    });
    connect(List, &PictureBox::Clicked, this, [this] {
        popUpMenu(List, {{QStringLiteral("Save PlayList"), [this] {
                              if (!List1.isEmpty())
                                  SaveLst();
                          }}});
    });
}

void FormPLS::popUpMenu(PictureBox* button,
                        const QList<std::pair<QString, std::function<void()>>>& items) {
    QMenu menu(this);
    for (const auto& [text, action] : items)
        connect(menu.addAction(text), &QAction::triggered, this, action);
    menu.exec(button->mapToGlobal(QPoint(0, 0)) - QPoint(0, menu.sizeHint().height()));
}

void FormPLS::EntryFailed() {
    ++failuresInARow_;
    if (failuresInARow_ < EntryCount()) {
        PlayNext();
        return;
    }
    failuresInARow_ = 0;
    emit EveryEntryFailed();
}

void FormPLS::Form_Load() {
    CD.Owner = this;
    CD.SetDialogTitle(QStringLiteral("Choose media to play"));
    Nofiles = 0;
    mdlSkin::DrawSprite(wiring_, Sprite::TitleBar, 4, 0);
    mdlSkin::PaintPlaylistFrame(wiring_);
}
