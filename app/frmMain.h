#pragma once

#include <QImage>
#include <QRegion>
#include <QWidget>
#include <array>

#include "platform/ImageControl.h"
#include "platform/PictureBox.h"
#include "platform/PictureClip.h"

class Forms;

// The player window: border-less, shaped by its mask, made of skin controls only.
class frmMain : public QWidget {
    Q_OBJECT
  public:
    explicit frmMain(Forms& forms);
    ~frmMain() override;

    void Form_Load();

    // Places every skin control at its fixed position and size.
    void MoveControls();

    // Shapes the window from the mask; a colour below 1 means the mask's top-left pixel.
    void ChangeMask(long& lngTransColor);
    static QRegion MakeMaskRegion(const PictureBox& mask, long& colour);
    const QRegion& WindowRegion() const { return windowRegion_; }

    void SetBackgroundPicture(const QImage& picture);
    const QImage& BackgroundPicture() const { return background_; }

    // Twips geometry of the window.
    float Left() const;
    float Top() const;
    void SetLeft(float left);
    void SetTop(float top);

    Forms& forms() { return forms_; }

    // Controls, in the names the skin engine and handlers use.
    ImageControl* imgTitlebar = nullptr;
    ImageControl* imgMove = nullptr;
    std::array<ImageControl*, 4> imgMenu{};
    std::array<ImageControl*, 6> imgPlayBut{};
    std::array<ImageControl*, 4> imgSufRep{};
    ImageControl* imgPosBar = nullptr;
    std::array<ImageControl*, 2> imgPosSlide{};
    ImageControl* imgAmp = nullptr;
    ImageControl* imgVolume = nullptr;
    std::array<ImageControl*, 2> imgVolumeBut{};
    ImageControl* imgBalance = nullptr;
    std::array<ImageControl*, 2> imgBalanceBut{};
    std::array<ImageControl*, 2> imgPlayPaus{};
    std::array<ImageControl*, 4> imgNumber{};
    std::array<ImageControl*, 2> imgMonoSter{};
    PictureBox* Mask = nullptr;

    PictureClip clipTitlebar;
    PictureClip clipCButtons;
    PictureClip clipShufRep;
    PictureClip clipPosBar;
    PictureClip clipVolume;
    PictureClip clipBalance;
    PictureClip clipPlayPaus;
    PictureClip clipNumbers;
    PictureClip clipMonoster;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void createControls();
    void loadBuiltInPictures();
    ImageControl* image(int index = 0);

    Forms& forms_;
    QImage background_;
    QRegion windowRegion_;
};
