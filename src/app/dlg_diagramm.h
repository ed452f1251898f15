// The frequency-energy chart window of a sample block: made once at start-up, hidden until the
// chart command shows it for the selected point of a Tarnwell scan. It reads that point's
// samples straight from the scan file, compiles the chart (raw curve, smoothed curve, mean of
// the smoothed curve) into one display list of its own OpenGL view, and shows the extremes of
// the smoothed curve with their frequencies. The track bar sets the smoothing window; each
// change reads the file again.
#pragma once

#include "app/ChartModel.h"

#include "scan/render/_TOpenGL.h"
#include "widgets/el/editing/ElLabel.h"
#include "widgets/el/menus/ElButtons.h"
#include "widgets/el/menus/ElFormCaption.h"

#include "framework/ComCtrls.h"
#include "framework/ExtCtrls.h"
#include "framework/Forms.h"

#include <cstdint>
#include <string>

class TFileManager;

class TDialog_Diagramm : public TForm {
public:
    explicit TDialog_Diagramm(TComponent* AOwner);
    ~TDialog_Diagramm() override;
    const char* ClassName() const override { return "TDialog_Diagramm"; }
    // Building the chart's context makes it current; the context that was current before (the
    // main window's) is current again afterwards.
    void AfterConstruction() override;

    TBevel* Bevel1;  // the frame around the chart
    TOpenGL* OpenGL1;
    // The axis: top, a third down, two thirds down, bottom; its name and the band's ends.
    TElLabel* MaxValue;
    TElLabel* MaxV_2;
    TElLabel* MinV_2;
    TElLabel* MinValue;
    TElLabel* Label2;  // "Energy"
    TElLabel* Label4;  // "4 Hz"
    TElLabel* Label6;  // "12,5 Hz"
    TElLabel* Label5;  // "21 Hz"
    TElLabel* Label1;  // "Frequency"
    // The extremes of the smoothed curve.
    TElLabel* Minimum;
    TElLabel* MinimumValue;
    TElLabel* Maximum;
    TElLabel* MaximumValue;
    TTrackBar* TrackBar;  // the smoothing window, 5 to 50
    TElLabel* Label_WindowSize;
    TElPopupButton* ButtonOK;
    TElFormCaption* ElFormCaption;

    // The list the chart is compiled into.
    int32_t DisplayList = 1201;
    // After a build: the axis range (both curves), the smoothed curve's extreme frequencies and
    // the raw curve's extremes in the band.
    float SmoothMax = 0.0f, SmoothMin = 0.0f;
    float MinFrequency = 0.0f, MaxFrequency = 0.0f;
    float RawMax = 0.0f, RawMin = 0.0f;
    // Set by the caller: the file manager (for where the point area starts), the scan file and
    // the position of the point's 16-byte header in it.
    TFileManager* FileManager = nullptr;
    std::u16string FileName;
    int32_t SampleOffset = 0;

    // The chart command's preparation: the caption bar and the texts of the active language,
    // its reading direction on the controls, the point to chart, and PaintDiagram as the
    // view's paint handler. The caller then runs BuildDiagram and shows the window.
    void Prepare(TFileManager* Files, const std::u16string& ScanFile, int32_t HeaderOffset);

    // Reads the point's samples and compiles the list. Nothing happens without a file. A file
    // that cannot be read (cut short, a position outside it) leaves an empty list and the
    // labels as they were; samples that give nothing to draw (divisor 0, no sample in the
    // band) leave an empty list and empty labels.
    void BuildDiagram();
    // The view's paint handler: the band across, the axis range up, the list on black.
    void PaintDiagram(TObject* Sender);
    void TrackBarChange(TObject* Sender);
    // Places the axis labels along the frame.
    void FormResize(TObject* Sender);

    // The chart of the last build (empty when nothing was drawn).
    const TChart& Chart() const { return chart_; }

private:
    void CompileChart(const TChart& Chart) const;
    void ShowChartLabels(const TChart& Chart);
    void ShowWindowSize();

    TChart chart_;
};

extern TDialog_Diagramm* Dialog_Diagramm;
