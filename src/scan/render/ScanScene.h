// The portable part of the scan renderer: the scan it owns, the view settings the main window
// writes (viewport, camera, view index, resolution, smoothing, wireframe, cursor lines, level
// plane, axes, field size), smoothing of the scan, and the drawing of each view through a
// render sink. TScanImage adds the rendering context on a window.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "framework/Objects.h"
#include "scan/model/DataTypes.h"
#include "scan/render/ListBudget.h"
#include "scan/render/RenderSink.h"
#include "scan/render/SurfaceLists.h"
#include "scan/model/_TScanData.h"

struct TViewportRect {
    uint16_t X = 0;
    uint16_t Y = 0;
    uint16_t Width = 0;
    uint16_t Height = 0;
};

class TScanScene : public TPersistent {
public:
    static constexpr uint8_t MaxResolution = 4;

    // ColorManagerVar is the main window's variable that holds (or will hold) the colour
    // manager; it is read at each use and handed on to the scan.
    TScanScene(TColorManager* const* ColorManagerVar, TRenderSink& Sink);
    TScanScene(TColorManagerRef ColorManager, TRenderSink& Sink);
    ~TScanScene() override;
    const char* ClassName() const override { return "TScanScene"; }

    // --- Written directly by the main window ---
    TViewState Camera;            // copied in before each view; rotations in degrees
    uint32_t DisplayList = 1200;  // the one list the views are drawn from
    std::unique_ptr<TScanData> ScanData;
    uint8_t Rebuild = 0;          // 1: rebuild the list at the next render
    uint8_t CursorLines = 1;
    uint8_t AxisX = 0;
    uint8_t AxisY = 0;
    uint8_t AxisZ = 0;
    // Triangles drawn that a list may reach before a lower resolution level (or a coarser grid)
    // is built.
    uint64_t TriangleBudget = SmoothTriangleBudget;
    // The address space as it is now, asked for before each list is built; unset, only
    // TriangleBudget limits the list.
    std::function<TAddressSpace()> AddressSpace;
    // Called now and then while a list is built, with the share done (0 to 100, -1 while the
    // surface is planned), on the thread that compiles the list; it may answer the windows.
    // An exception from it ends the build, leaving no list (Rebuild stays set), and leaves the
    // render call.
    std::function<void(int Percent)> OnBuildProgress;
    // A list of many triangles is compiled in parts of at most about this many triangles: list
    // DisplayList, then DisplayList + 1, + 2 and so on, drawn in that order. Between the parts
    // of a view BetweenListParts (when set) is called: a single part draws in a fraction of a
    // second however large the surface, so the caller can answer the windows meanwhile.
    uint64_t ListPartTriangles = 400'000;
    std::function<void()> BetweenListParts;
    // The lists the surface was last compiled into: more than one for a large surface.
    uint32_t ListParts() const { return listParts_; }

    // --- Settings whose setters do more than store ---
    uint8_t Resolution() const { return resolution_; }
    void SetResolution(uint8_t Value);  // 0..4; larger values mean 4
    uint8_t Wireframe() const { return wireframe_; }
    void SetWireframe(uint8_t Value);
    uint8_t Smooth() const { return smooth_; }
    void SetSmooth(uint8_t Value);
    uint8_t View() const { return view_; }
    // 0 the single view; in the split screen 1 top, 2 perspective, 3 front.
    void SetView(uint8_t Value);
    float FieldLength() const { return fieldLength_; }
    void SetFieldLength(float Value);  // metres; negative values are ignored, 0 = not given
    float FieldWidth() const { return fieldWidth_; }
    void SetFieldWidth(float Value);
    uint8_t CrossHairActive() const { return crossHairActive_; }
    void SetCrossHairActive(uint8_t Value);  // the level plane becomes the opposite
    uint8_t LevelPlaneActive() const { return levelPlaneActive_; }
    void SetLevelPlaneActive(uint8_t Value);  // the cross-hair becomes the opposite

    // The subdivision depth the list was last built with: below Resolution() when the smooth
    // form at Resolution() would not have fitted.
    uint8_t BuiltResolution() const { return builtResolution_; }
    // The step of the grid the list was last built from: 1 for every point, k when even the
    // coarsest level of the whole scan would not have fitted and every k-th point was drawn.
    uint32_t BuiltStep() const { return builtStep_; }
    // The triangles the list last built draws (each colour band's polygon the fan it is drawn
    // as), as counted before it was built.
    uint64_t BuiltTriangles() const { return builtTriangles_; }
    // False when the last build could not make even a single cell of the surface (memory ran
    // short at every plan down to the coarsest): the list is empty then.
    bool SurfaceDrawn() const { return surfaceDrawn_; }

    const TViewportRect& Viewport() const { return viewport_; }
    // In the drawing window's coordinates, from its bottom left.
    void SetViewport(uint16_t X, uint16_t Y, uint16_t Width, uint16_t Height);

    void SetRotation(float X, float Y, float Z) { Camera.Rotation = MakeVector(X, Y, Z); }
    void SetScale(float X, float Y, float Z) { Camera.Scale = MakeVector(X, Y, Z); }
    void SetTranslation(float X, float Y, float Z) { Camera.Translation = MakeVector(X, Y, Z); }

    // One view each; the caller picks by ScanData->ScanMode (1 diagram, 2 top, 3 side, else
    // the scene). A zero-size viewport or an empty scan draws nothing. Each view draws inside
    // a TViewScope: it starts from the renderer's defaults whatever was drawn before, and the
    // caller's drawing state (the next view's, the main window's frames) is as it was after.
    void RenderScene();
    void RenderTop();
    void RenderSide();
    void RenderDiagram();

    // Compile the display list from the scan; each clears Rebuild and the scan's Changed.
    void BuildSurfaceList();
    void BuildTopList();
    void BuildSideList();

    // Passes of neighbour averaging; sets Rebuild even for 0 passes.
    void SmoothScan(uint8_t Passes);

    // Where the views are drawn; the main window draws its own overlays (the data grid of a
    // live scan) through it too.
    TRenderSink& Sink() { return sink_; }

protected:
    TColorManager* Colors() const { return colorManager_ ? colorManager_() : nullptr; }

private:
    bool HasArea() const { return viewport_.Width > 0 && viewport_.Height > 0; }
    bool HasScan() const { return ScanData && ScanData->First; }
    bool Ortho(double Left, double Right, double Bottom, double Top, double Near, double Far);
    // The projection of the top and side views over the given extent; false when it is not finite.
    bool ProjectFlatView(double Left, double Right, double Bottom, double Top);
    // An identity model view over a cleared depth buffer, where each view's own transforms start.
    void ResetModelView();
    // Draws the display list, compiling it first with Build when the scan or a setting changed.
    void DrawList(void (TScanScene::*Build)());
    void DrawCursorLines();
    void DrawAxes();
    // Compiles the list from what Build emits with the options it gets: the depth (the chosen
    // resolution when the list has levels and it fits) and the step that fit, planned from the
    // triangles Build draws, and the progress report.
    template <typename F>
    void CompileList(bool WithLevels, F&& Build);

    TColorManagerRef colorManager_;
    TRenderSink& sink_;
    TViewportRect viewport_;
    uint8_t resolution_ = 0;
    uint8_t wireframe_ = 0;
    uint8_t smooth_ = 0;
    uint8_t view_ = 0;
    float fieldLength_ = 0.0f;
    float fieldWidth_ = 0.0f;
    uint8_t crossHairActive_ = 0;
    uint8_t levelPlaneActive_ = 0;
    uint8_t builtResolution_ = 0;
    uint32_t builtStep_ = 1;
    uint64_t builtTriangles_ = 0;
    bool surfaceDrawn_ = true;
    uint32_t listParts_ = 1;  // the lists the surface was last compiled into, from DisplayList on
};
