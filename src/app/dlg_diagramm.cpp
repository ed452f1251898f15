#include "app/dlg_diagramm.h"

#include "shell/FormParts.h"

#include "shell/DialogTexts.h"
#include "scan/files/TextIds.h"
#include "scan/files/_TFileManager.h"
#include "scan/files/globals.h"
#include "scan/render/WGLContext.h"

#include "framework/FileUtils.h"
#include "framework/NumberText.h"
#include "framework/Streams.h"

#include <GL/gl.h>

#include <cmath>
#include <limits>
#include <optional>

TDialog_Diagramm* Dialog_Diagramm = nullptr;

namespace {

// The design of the form (client coordinates): the axis labels left of the frame, the band's
// ends and the axis name below it, the results, the smoothing window and OK on the right.
constexpr int FormWidth = 800, FormHeight = 426;
constexpr int FrameLeft = 96, FrameTop = 16, FrameWidth = 560, FrameHeight = 330;
constexpr int AxisLabelLeft = 4, AxisLabelWidth = FrameLeft - AxisLabelLeft - 6;
constexpr int SideLeft = FrameLeft + FrameWidth + 16, SideWidth = FormWidth - SideLeft - 8;
constexpr int LabelHeight = 16;

// Before any build the extremes stand where a build starts them: the smallest positive single
// and the largest value a single can safely hold.
constexpr float SmallestPositive = std::numeric_limits<float>::denorm_min();
constexpr float LargeStart = 3.4e38f;

TElLabel* ChartLabel(TDialog_Diagramm* Form, const char* Name, int Left, int Top, const char16_t* Caption)
{
    TElLabel* label = MakeControl<TElLabel>(Form, Form, Name, Left, Top, 60, LabelHeight);
    label->SetCaption(Caption);
    return label;
}

// A number on the axis: right-aligned against the frame.
TElLabel* AxisLabel(TDialog_Diagramm* Form, const char* Name, const char16_t* Caption)
{
    TElLabel* label = MakeControl<TElLabel>(Form, Form, Name, AxisLabelLeft, FrameTop, AxisLabelWidth, LabelHeight);
    label->SetAutoSize(false);
    label->SetAlignment(TAlignment::taRightJustify);
    label->SetCaption(Caption);
    return label;
}

// Top so that the label's middle lies on Position.
int CentredOn(double Position, int Extent)
{
    return static_cast<int>(std::lround(Position - Extent / 2.0));
}

void Vertex(const TChartVertex& V)
{
    glVertex3f(V.X, V.Y, V.Z);
}

void LineStrip(const std::vector<TChartVertex>& Vertices)
{
    glBegin(GL_LINE_STRIP);
    for (const TChartVertex& v : Vertices)
        Vertex(v);
    glEnd();
}

}  // namespace

TDialog_Diagramm::TDialog_Diagramm(TComponent* AOwner) : TForm(AOwner)
{
    SetName("Dialog_Diagramm");
    SetCaption(u"Tarnwell - Diagram");
    SetBorderStyle(TFormBorderStyle::bsDialog);
    SetClientSize(FormWidth, FormHeight);
    Position = TPosition::poMainFormCenter;

    Bevel1 = MakeControl<TBevel>(this, this, "Bevel1", FrameLeft, FrameTop, FrameWidth, FrameHeight);
    Bevel1->SetShape(TBevelShape::bsBox);
    // Made without running its Loaded at once: the context is built when the form has been
    // made, on the control's own child window.
    OpenGL1 = MakeControl<TOpenGL>(this, this, "OpenGL1",
                                   Bounds(FrameLeft + 2, FrameTop + 2, FrameWidth - 4, FrameHeight - 4),
                                   TLoading::WithForm);
    // The chart is drawn as the dialog sets it: no automatic transformation by the mouse.
    OpenGL1->Transformation()->Automatic = false;
    OpenGL1->Transformation()->Mode = TTransformationType::tfNone;

    MaxValue = AxisLabel(this, "MaxValue", u"0.00");
    MaxV_2 = AxisLabel(this, "MaxV_2", u"0.00");
    MinV_2 = AxisLabel(this, "MinV_2", u"0.00");
    MinValue = AxisLabel(this, "MinValue", u"0.00");
    Label2 = AxisLabel(this, "Label2", u"Energy");
    const int belowFrame = FrameTop + FrameHeight + 4;
    Label4 = ChartLabel(this, "Label4", FrameLeft, belowFrame, u"4 Hz");
    Label6 = ChartLabel(this, "Label6", FrameLeft, belowFrame, u"12,5 Hz");
    Label5 = ChartLabel(this, "Label5", FrameLeft, belowFrame, u"21 Hz");
    Label1 = ChartLabel(this, "Label1", FrameLeft, belowFrame + LabelHeight + 4, u"Frequency");

    Minimum = ChartLabel(this, "Minimum", SideLeft, FrameTop + 14, u"Min @ 4 Hz");
    MinimumValue = ChartLabel(this, "MinimumValue", SideLeft, FrameTop + 32, u"0,00");
    Maximum = ChartLabel(this, "Maximum", SideLeft, FrameTop + 74, u"Max @ 4 Hz");
    MaximumValue = ChartLabel(this, "MaximumValue", SideLeft, FrameTop + 92, u"0,00");
    for (TElLabel* value : {MinimumValue, MaximumValue}) {
        value->SetParentFont(false);
        value->Font()->SetStyle(fsBold);
    }

    Label_WindowSize = ChartLabel(this, "Label_WindowSize", SideLeft, FrameTop + 150, u"Window size = 5");
    TrackBar = MakeControl<TTrackBar>(this, this, "TrackBar", SideLeft - 4, FrameTop + 170, SideWidth + 4, 32);
    TrackBar->SetRange(5, 50);
    TrackBar->SetTickFrequency(5);
    TrackBar->SetPosition(5);

    ButtonOK = MakeControl<TElPopupButton>(this, this, "ButtonOK", FormWidth - 108, FormHeight - 38, 100, 28);
    ButtonOK->SetCaption(u"OK");
    ButtonOK->SetDefault(true);
    ButtonOK->Cancel = true;
    ButtonOK->ModalResult = mrOk;

    ElFormCaption = MakeNamed<TElFormCaption>(this, "ElFormCaption");

    SmoothMax = RawMax = SmallestPositive;
    SmoothMin = RawMin = LargeStart;

    TrackBar->OnChange = [this](TObject* Sender) { TrackBarChange(Sender); };
    OnResize = [this](TObject* Sender) { FormResize(Sender); };
    FormResize(this);
}

void TDialog_Diagramm::AfterConstruction()
{
    const TKeepCurrentGLContext keep;
    TForm::AfterConstruction();
}

void TDialog_Diagramm::Prepare(TFileManager* Files, const std::u16string& ScanFile, int32_t HeaderOffset)
{
    PrepareDialogTexts(this, ElFormCaption, GetText(Texts::FrequencyEnergyChart, u"Frequency-Energy-Chart"), ButtonOK,
                       nullptr);
    FileManager = Files;
    FileName = ScanFile;
    SampleOffset = HeaderOffset;
    ShowWindowSize();
    Label2->SetCaption(GetText(Texts::Energy, u"Energy"));
    Label1->SetCaption(GetText(Texts::Frequency, u"Frequency"));
    FormResize(this);
    OpenGL1->OnPaint = [this](TObject* Sender) { PaintDiagram(Sender); };
}

void TDialog_Diagramm::ShowWindowSize()
{
    Label_WindowSize->SetCaption(GetText(Texts::WindowSize, u"Window size") + u" = " + IntToStr(TrackBar->Position()));
}

void TDialog_Diagramm::BuildDiagram()
{
    if (FileName.empty() || !FileExists(FileName) || !OpenGL1->Initialized())
        return;
    const TKeepCurrentGLContext keep;
    if (wglGetCurrentContext() != OpenGL1->Context())
        OpenGL1->MakeCurrent();

    SmoothMax = RawMax = SmallestPositive;
    SmoothMin = RawMin = LargeStart;
    MinFrequency = MaxFrequency = 0.0f;
    chart_ = TChart{};

    // The list is started anew before the file is read: whatever fails below, the old chart is
    // gone and the list is closed.
    DisplayList = 1201;
    glDeleteLists(static_cast<GLuint>(DisplayList), 1);
    glNewList(static_cast<GLuint>(DisplayList), GL_COMPILE);
    try {
        std::optional<TChartInput> input;
        if (FileManager) {
            TFileStream stream(FileName, fmOpenRead | fmShareDenyWrite);
            input = ReadChartInput(stream, FileManager->FileTNW_Start(), SampleOffset);
        }
        if (input) {
            chart_ = ComputeChart(std::move(input->Samples), input->Divisor, TrackBar->Position());
            CompileChart(chart_);
            ShowChartLabels(chart_);
        }
    } catch (...) {
        // A file that cannot be opened or read ends the building quietly, as a short one does.
        chart_ = TChart{};
    }
    glEndList();
}

void TDialog_Diagramm::CompileChart(const TChart& Chart) const
{
    if (!Chart.Drawn)
        return;
    glLineWidth(1.0f);
    glColor3ub(80, 80, 80);
    LineStrip(Chart.Raw);
    glLineWidth(1.3f);
    glColor3ub(210, 210, 0);
    LineStrip(Chart.Smoothed);
    glColor3ub(0, 210, 0);
    glBegin(GL_LINES);
    Vertex(Chart.MeanFrom);
    Vertex(Chart.MeanTo);
    glEnd();
}

void TDialog_Diagramm::ShowChartLabels(const TChart& Chart)
{
    if (Chart.Drawn) {
        RawMax = Chart.RawMax;
        RawMin = Chart.RawMin;
        MinFrequency = Chart.MinFrequency;
        MaxFrequency = Chart.MaxFrequency;
        SmoothMax = Chart.AxisMax;
        SmoothMin = Chart.AxisMin;
    }
    const TChartLabels& text = Chart.Labels;
    Minimum->SetCaption(text.Minimum);
    MinimumValue->SetCaption(text.MinimumValue);
    Maximum->SetCaption(text.Maximum);
    MaximumValue->SetCaption(text.MaximumValue);
    MaxValue->SetCaption(text.MaxValue);
    MaxV_2->SetCaption(text.MaxV_2);
    MinV_2->SetCaption(text.MinV_2);
    MinValue->SetCaption(text.MinValue);
}

void TDialog_Diagramm::PaintDiagram(TObject*)
{
    // The projection of the last build; an empty chart keeps a valid one of its own.
    const TChartProjection& p = chart_.Projection;
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(p.Left, p.Right, p.Bottom, p.Top, -10.0, 10.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClearDepth(1.0);
    glClear(GL_DEPTH_BUFFER_BIT);
    glClear(GL_COLOR_BUFFER_BIT);
    glViewport(0, 0, OpenGL1->ClientWidth(), OpenGL1->ClientHeight());
    glCallList(static_cast<GLuint>(DisplayList));
}

void TDialog_Diagramm::TrackBarChange(TObject*)
{
    ShowWindowSize();
    BuildDiagram();
    OpenGL1->Invalidate();
}

void TDialog_Diagramm::FormResize(TObject*)
{
    const int l = Bevel1->Left(), t = Bevel1->Top(), w = Bevel1->Width(), h = Bevel1->Height();
    Label4->SetLeft(l);
    Label5->SetLeft(l + w - Label5->Width());
    Label1->SetLeft(CentredOn(l + w / 2.0, Label1->Width()));
    Label6->SetLeft(CentredOn(l + w / 2.0, Label6->Width()));
    MaxValue->SetTop(t);
    MinValue->SetTop(t + h - MinValue->Height());
    MaxV_2->SetTop(CentredOn(t + h / 3.0, MaxV_2->Height()));
    MinV_2->SetTop(CentredOn(t + 2.0 * h / 3.0, MinV_2->Height()));
    Label2->SetTop(CentredOn(t + h / 2.0, Label2->Height()));
}

TDialog_Diagramm::~TDialog_Diagramm()
{
    if (Dialog_Diagramm == this)
        Dialog_Diagramm = nullptr;
}
