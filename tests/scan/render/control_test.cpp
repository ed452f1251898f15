// The OpenGL control's property objects: pixel-format flags and the mouse transformation.
#include <gtest/gtest.h>

#include "framework/Exceptions.h"
#include "scan/render/OpenGLControlModel.h"

TEST(OGPixelFormat, DoubleBufferDropsGdiSupportAndFlagsMapToTheDescriptor)
{
    TOGPixelFormat f;
    f.SetFlags({TPFFlag::pffDoubleBuffer, TPFFlag::pffSupportGDI});
    EXPECT_EQ(f.Flags(), TPFFlags({TPFFlag::pffDoubleBuffer}));
    f.SetFlags({TPFFlag::pffSupportGDI, TPFFlag::pffDrawToBMP});
    EXPECT_TRUE(f.Flags().Contains(TPFFlag::pffSupportGDI));

    const TPFFlags program{TPFFlag::pffDrawToWindow, TPFFlag::pffSupportOpenGL, TPFFlag::pffGenericAccelerated,
                           TPFFlag::pffNeedSystemPalette, TPFFlag::pffDoubleBuffer};
    EXPECT_EQ(program.DescriptorFlags(), 0x4u | 0x20u | 0x1000u | 0x100u | 0x1u);
    const TPFFlags rest{TPFFlag::pffDrawToBMP, TPFFlag::pffSupportGDI, TPFFlag::pffGenericFormat,
                        TPFFlag::pffNeedPalette, TPFFlag::pffStereo, TPFFlag::pffSwapLayerBuffers};
    EXPECT_EQ(rest.DescriptorFlags(), 0x8u | 0x10u | 0x40u | 0x80u | 0x2u | 0x800u);

    TOGPixelFormat copy;
    f.ColorBits = 24;
    f.AlphaBits = 8;
    f.AccumBits = 32;
    f.DepthBits = 24;
    f.StencilBits = 4;
    f.AuxBuffers = 2;
    copy.Assign(&f);
    EXPECT_EQ(copy.ColorBits, 24);
    EXPECT_EQ(copy.AlphaBits, 8);
    EXPECT_EQ(copy.AccumBits, 32);
    EXPECT_EQ(copy.DepthBits, 24);
    EXPECT_EQ(copy.StencilBits, 4);
    EXPECT_EQ(copy.AuxBuffers, 2);
    EXPECT_EQ(copy.Flags(), f.Flags());
    EXPECT_THROW(copy.Assign(nullptr), EConvertError);
}

TEST(Transformation, AxesChangeOnlyWhenEnabled)
{
    TTransformation t;
    t.Rotate(5, 6, 7);
    t.Move(1, 2, 3);
    t.Scale(2, 2, 2);
    EXPECT_EQ(t.RotationX, 0.0f);
    EXPECT_EQ(t.TranslationY, 0.0f);
    EXPECT_EQ(t.ScaleZ, 1.0f) << "no axis enabled: nothing changes";

    t.RotateXEnabled = t.MoveZEnabled = t.ScaleXEnabled = t.ScaleYEnabled = 1;
    t.Rotate(5, 6, 7);
    t.Move(1, 2, 3);
    EXPECT_EQ(t.RotationX, 5.0f);
    EXPECT_EQ(t.RotationY, 0.0f);
    EXPECT_EQ(t.TranslationZ, 3.0f);
    t.Scale(0, 0, 0);
    EXPECT_EQ(t.ScaleX, 1.0f) << "a zero factor leaves the axis";
    t.Scale(3, -4, 2);
    EXPECT_EQ(t.ScaleX, 3.0f);
    EXPECT_EQ(t.ScaleY, 0.25f) << "a negative factor divides";
    EXPECT_EQ(t.ScaleZ, 1.0f);

    t.Reset();
    EXPECT_EQ(t.ScaleX, 1.0f);
    EXPECT_EQ(t.RotationX, 0.0f);
    EXPECT_EQ(t.RotateXEnabled, 1) << "reset keeps the enable bytes";
}

TEST(Transformation, DragFollowsModeOnlyWhenAutomatic)
{
    TTransformation t;
    t.RotateXEnabled = t.RotateYEnabled = t.ScaleXEnabled = 1;
    t.Mode = TTransformationType::tfRotate;
    t.Drag(10, 10, 15, 13);
    EXPECT_EQ(t.RotationX, 0.0f) << "not automatic";
    t.Automatic = true;
    t.Drag(10, 10, 15, 13);
    EXPECT_EQ(t.RotationX, 5.0f);
    EXPECT_EQ(t.RotationY, 3.0f);
    t.Mode = TTransformationType::tfNone;
    t.Drag(10, 10, 30, 30);
    EXPECT_EQ(t.RotationX, 5.0f);
    t.Mode = TTransformationType::tfScale;
    t.Drag(10, 10, 11, 9);  // x + y unchanged: halve
    EXPECT_EQ(t.ScaleX, 0.5f);
    t.Drag(10, 10, 12, 10);
    EXPECT_EQ(t.ScaleX, 1.0f);
}
