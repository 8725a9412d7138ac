#pragma once

#include <QImage>
#include <QRegion>
#include <array>
#include <cstdint>
#include "platform/Form.h"

#include "app/SeekBar.h"
#include "app/Toggles.h"
#include "app/VolumeBalance.h"

#include "skin/MainFace.h"

class Forms;
class Controller;
class PlaybackControl;
class QTimer;
class QMenu;
class QAction;

// The player window: border-less, shaped by its mask, made of skin controls only.
class frmMain : public Form, public MainFace {
    Q_OBJECT
  public:
    explicit frmMain(Forms& forms);
    ~frmMain() override;

    void Form_Load();

    // The play-state looks; with blnDo the control is commanded too.
    void GoPlay(bool blnDo);
    void GoPause(bool blnDo);
    void GoStop(bool blnDo);
    void ShowTime();
    void SplitTime(double position);
    void tmrTime_Timer();
    // Lights the stereo lamp for two or more channels, the mono lamp for one, neither for 0.
    void ShowChannels(int channels);
    void Timer1_Timer();
    // The window's caption: empty while the window is normal, "Solvane" while minimised.
    QString Caption() const { return caption_; }
    void SetCaption(const QString& caption);
    // Shut-down: the companions go, then the main window, and the program ends.
    void Unload();
    bool Unloaded() const { return unloaded_; }

    void imgPlayBut_MouseDown(int index, MouseArgs args);
    void imgPlayBut_MouseUp(int index, MouseArgs args);
    void imgMove_MouseDown(MouseArgs args);
    void imgMove_MouseMove(MouseArgs args);
    void Form_GotFocus();
    void Form_LostFocus();

    std::int16_t TimeSeconds = 0;
    std::int16_t TimeMinutes = 0;
    SeekBar seekBar{*this};
    VolumeBalance volumeBalance{*this};
    Toggles toggles{*this};
    QMenu* mnuFile = nullptr;
    QAction* mnuSkin = nullptr;
    QAction* mnuExit = nullptr;
    QTimer* Timer1 = nullptr;
    QTimer* tmrTime = nullptr;

    // Places every skin control at its fixed position and size.
    void MoveControls() override;

    // Shapes the window from the mask; a colour below 1 means the mask's top-left pixel.
    void ChangeMask(long& lngTransColor) override;
    static QRegion MakeMaskRegion(const PictureBox& mask, long& colour);
    const QRegion& WindowRegion() const { return windowRegion_; }

    void SetBackgroundPicture(const QImage& picture) override;
    const QImage& BackgroundPicture() const override { return background_; }
    void SkinLoaded() override { emit SkinChanged(); }

    Forms& forms() { return forms_; }
    // The one playback control and the operations that reach the other windows.
    PlaybackControl& Playback();
    Controller& operations();

  signals:
    // What happened here that concerns the other windows.
    void PreviousClicked();
    void NextClicked();
    void EjectClicked();
    void Moved();
    void Closing();
    // The volume knob moved, whoever moved it.
    void VolumeChanged();
    // A skin was put on, at start-up or from the menu.
    void SkinChanged();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void connectHandlers();
    void createMenu();
    void setDigitsVisible(bool visible);
    void setSliderVisible(bool visible);
    void createControls();
    void loadBuiltInPictures();
    ImageControl* image(int index = 0);

    Forms& forms_;
    QImage background_;
    QRegion windowRegion_;
    QString caption_;
    bool unloaded_ = false;
    bool playbackPrepared_ = false;
};
