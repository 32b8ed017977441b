#pragma once

#include <QGroupBox>
#include <QRgb>

#include <array>
#include <memory>

class QSlider;

namespace camvista
{

class ClickableLabel;
class PictureSurface;
class cDIBSection;
class cGammaCorrect;

// "Fourth Step": the gamma slider and the bicolour and colour-level swatches.
//
// The shot as it stood when the colour step ended is kept in a source bitmap; every slider
// value recomputes a display bitmap from it, and the working picture shows that display painted
// over its held picture, so whatever the next commit captures is what the user sees. A tint
// starts again from the held shot, reads the picture as shown (the gamma display) and draws its
// result without committing it; the next gamma change paints the display over it again.
class FourthStepPanel : public QGroupBox
{
    Q_OBJECT

public:
    FourthStepPanel(PictureSurface &picture1, PictureSurface &picture3, QWidget *parent = nullptr);
    ~FourthStepPanel() override;

    QSlider *hscGamma() const { return m_hscGamma; }
    ClickableLabel *lblgammaamount() const { return m_lblgammaamount; }
    ClickableLabel *bicol(int index) const { return m_bicol.at(std::size_t(index)); }
    ClickableLabel *lvcol(int index) const { return m_lvcol.at(std::size_t(index)); }
    bool tintRunning() const { return m_tintRunning; }

    // When the colour step ends: the source bitmap takes the working picture, an empty display
    // of its size is made, and the slider's current value is applied.
    void prepareGamma();
    // Reload: the slider goes back to 100 (reapplying gamma 1 if it stood elsewhere) and the
    // working picture shows the display again.
    void resetGamma();
    // Paints the display bitmap over the working picture at its own size; nothing before the
    // display has been made.
    void paintGammaDisplay();

    void ApplyGamma(double gamma);
    void hscGamma_Change();
    void lblgammaamount_Click();
    void bicol_Click(int index);
    void lvcol_Click(int index);

signals:
    // A tint runs with window events let through: the editor holds its other commands back.
    void tintStarted();
    void tintFinished();

private:
    template <typename Tint> void runTint(Tint tint);

    PictureSurface &m_picture1;
    PictureSurface &m_picture3;
    QSlider *m_hscGamma = nullptr;
    ClickableLabel *m_lblgammaamount = nullptr;
    std::array<ClickableLabel *, 8> m_bicol{};
    std::array<ClickableLabel *, 8> m_lvcol{};
    // Made on first use, kept for the life of the window.
    std::unique_ptr<cDIBSection> m_source;
    std::unique_ptr<cDIBSection> m_display;
    std::unique_ptr<cGammaCorrect> m_gamma;
    bool m_tintRunning = false;
};

} // namespace camvista
