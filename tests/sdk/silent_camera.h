#pragma once

// What a silent camera answers, checked alike in-process and through the shared library.
#include "nivaro_camera.h"

#include <gtest/gtest.h>

// Every kind of answer a silent camera gives, with what it leaves in place.
inline void expectSilent(nivaro_sdk::INivaroCamera &camera)
{
    uint8_t type = 99;
    EXPECT_FALSE(camera.GetCameraType(type));
    EXPECT_EQ(type, 99);

    nivaro_sdk::VersionInfo versions {1, 1};
    camera.GetVersions(versions);
    EXPECT_EQ(versions.riscvVersion, 0);
    EXPECT_EQ(versions.fpgaVersion, 0);

    EXPECT_EQ(camera.GetGamma(), 0u);
    EXPECT_EQ(camera.GetRoiX1(), 0u);
    EXPECT_EQ(camera.GetContrastType(), 0);
    EXPECT_FALSE(camera.GetBpr());
    EXPECT_FALSE(camera.SetGamma(70000));
    EXPECT_FALSE(camera.SetPolarity(true));

    nivaro_sdk::ZoomConfig zoom {7.0f, 7, 7, 7};
    camera.GetZoom(zoom);
    EXPECT_EQ(zoom.centerX, 7);
    nivaro_sdk::IaConfig ia {7, 7, 7, 7, 7};
    EXPECT_FALSE(camera.GetIaConfig(ia));
    EXPECT_EQ(ia.maxBoxes, 7);
    EXPECT_FALSE(camera.RequestNuc());
}
