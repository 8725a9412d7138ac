#include "video/Form1.h"

#include <QKeyEvent>
#include <QScreen>
#include <cmath>

#include "skin/Wiring.h"

Form1::Form1(Wiring& wiring, PlaybackControl& control)
    : Form(Qt::Tool | Qt::FramelessWindowHint), wiring_(wiring), mediaPlay_(control) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Solvane Video"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    mediaPlay_.Surface()->setParent(this);
    connect(&mediaPlay_, &PlaybackControl::PictureMouseDown, this, &Form1::mediaPlay_MouseDown);
    connect(&mediaPlay_, &PlaybackControl::PictureMouseMove, this, &Form1::mediaPlay_MouseMove);
    connect(&mediaPlay_, &PlaybackControl::PictureDoubleClick, this,
            [this] { SetFullScreen(!fullScreen_); });
    SetWidth(kDockedWidth);
    SetHeight(kDockedHeight);
}

// The surface goes with the window; the control makes a new one if a window comes again.
Form1::~Form1() = default;

void Form1::Form_Load() {
    FitRule();
}

void Form1::FitRule() {
    QWidget* surface = mediaPlay_.Surface();
    surface->setGeometry(0, 0, width(), height());
}

bool Form1::mainIsNormal() {
    const Qt::WindowStates state = wiring_.DockAnchor().windowState();
    return !(state & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen));
}

void Form1::Resize() {
    if (mainIsNormal())
        FitRule();
}

void Form1::resizeEvent(QResizeEvent*) {
    Resize();
}

void Form1::paintEvent(QPaintEvent*) {
    // Refitting on every paint keeps the control on the client area whatever moved it.
    if (mediaPlay_.Surface()->geometry() != rect())
        FitRule();
}

void Form1::ShowDocked() {
    if (fullScreen_) {
        fullScreen_ = false;
        setWindowState(windowState() & ~Qt::WindowFullScreen);
    }
    SetHeight(kDockedHeight);
    SetWidth(kDockedWidth);
    const Form& main = wiring_.DockAnchor();
    SetLeft(main.Left() + Wiring::kVideoDockOffset);
    SetTop(main.Top());
    FitRule();
    show();
}

void Form1::SetFullScreen(bool on) {
    if (on == fullScreen_)
        return;
    if (!on) {
        ShowDocked();
        return;
    }
    fullScreen_ = true;
    // Without a window manager to honour the request, the geometry says it all the same.
    setGeometry(screen()->geometry());
    showFullScreen();
    FitRule();
    raise();
    activateWindow();
}

void Form1::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F && event->modifiers() == Qt::NoModifier)
        SetFullScreen(!fullScreen_);
    else if (event->key() == Qt::Key_Escape)
        SetFullScreen(false);
    else
        Form::keyPressEvent(event);
}

void Form1::mediaPlay_MouseDown(MouseArgs args) {
    DragPress(args);
}

void Form1::mediaPlay_MouseMove(MouseArgs args) {
    if (!fullScreen_)
        DragMove(args);
}

void Form1::ShowPicture(bool hasPicture) {
    if (!hasPicture) {
        hide();
        return;
    }
    if (isVisible())
        return;
    ShowDocked();
}
