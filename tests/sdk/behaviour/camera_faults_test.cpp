// The faults a port can be scripted with, as the program meets them.
#include "silent_camera.h"
#include "simulator_fixture.h"

using nivaro_sdk::INivaroCamera;
using nivaro_sim::CameraScript;

namespace {

class CameraFaults : public SimulatorTest
{
protected:
    INivaroCamera *openScripted(const CameraScript &script)
    {
        nivaro_sim::scriptPort("COM9", script);
        return open("COM9");
    }
};

TEST_F(CameraFaults, absentCameraCannotBeOpened)
{
    CameraScript script;
    script.present = false;
    EXPECT_EQ(openScripted(script), nullptr);
    EXPECT_EQ(nivaro_sim::traceLines().back(), "connection#1.OpenCamera(\"COM9\") -> null");
}

TEST_F(CameraFaults, emptyPortNameHasNoCamera)
{
    EXPECT_EQ(open(""), nullptr);
}

TEST_F(CameraFaults, failingTypeQueryLeavesTheTypeUnsetAndTheRestAnswers)
{
    CameraScript script;
    script.typeQueryFails = true;
    INivaroCamera *camera = openScripted(script);
    ASSERT_NE(camera, nullptr);
    uint8_t type = 99;
    EXPECT_FALSE(camera->GetCameraType(type));
    EXPECT_EQ(type, 99);
    EXPECT_EQ(camera->GetGamma(), 65536u);
}

TEST_F(CameraFaults, scriptedTypeAndVersionsAreAnswered)
{
    CameraScript script;
    script.cameraType = 7;
    script.riscvVersion = 0x2450;
    script.fpgaVersion = 0x0310;
    INivaroCamera *camera = openScripted(script);
    ASSERT_NE(camera, nullptr);
    uint8_t type = 0;
    EXPECT_TRUE(camera->GetCameraType(type));
    EXPECT_EQ(type, 7);
    nivaro_sdk::VersionInfo versions {};
    camera->GetVersions(versions);
    EXPECT_EQ(versions.riscvVersion, 0x2450);
    EXPECT_EQ(versions.fpgaVersion, 0x0310);
}

TEST_F(CameraFaults, silentCameraAnswersNothingAndKeepsItsRegisters)
{
    CameraScript script;
    script.silent = true;
    INivaroCamera *camera = openScripted(script);
    ASSERT_NE(camera, nullptr);
    expectSilent(*camera);
    EXPECT_EQ(nivaro_sim::registers("COM9").gamma, 65536u);
    EXPECT_FALSE(nivaro_sim::registers("COM9").polarity);
}

TEST_F(CameraFaults, silentAfterCallsCountsEveryOperationTheTypeQueryIncluded)
{
    CameraScript script;
    script.silentAfterCalls = 3;
    INivaroCamera *camera = openScripted(script);
    ASSERT_NE(camera, nullptr);
    uint8_t type = 0;
    EXPECT_TRUE(camera->GetCameraType(type));
    camera->BeginRead();
    EXPECT_TRUE(camera->SetGamma(70000));
    expectSilent(*camera);
    EXPECT_EQ(nivaro_sim::registers("COM9").gamma, 70000u);
}

TEST_F(CameraFaults, silentAfterCallsCountsAgainForEachOpenOfThePort)
{
    CameraScript script;
    script.silentAfterCalls = 1;
    INivaroCamera *camera = openScripted(script);
    ASSERT_NE(camera, nullptr);
    EXPECT_EQ(camera->GetGamma(), 65536u);
    EXPECT_EQ(camera->GetGamma(), 0u);
    disconnect(camera);

    camera = open("COM9");
    ASSERT_NE(camera, nullptr);
    EXPECT_EQ(camera->GetGamma(), 65536u);
}

TEST_F(CameraFaults, zeroVersionWordsOnAnAnsweringCamera)
{
    CameraScript script;
    script.riscvVersion = 0;
    script.fpgaVersion = 0;
    INivaroCamera *camera = openScripted(script);
    ASSERT_NE(camera, nullptr);
    uint8_t type = 0;
    EXPECT_TRUE(camera->GetCameraType(type));
    nivaro_sdk::VersionInfo versions {1, 1};
    camera->GetVersions(versions);
    EXPECT_EQ(versions.riscvVersion, 0);
    EXPECT_EQ(versions.fpgaVersion, 0);
    EXPECT_TRUE(camera->SetGamma(70000));
}

TEST_F(CameraFaults, namedSetterRefusesWhileTheOthersStore)
{
    CameraScript script;
    script.refusedSetters = {"SetGfid", "ConfigureZoom"};
    INivaroCamera *camera = openScripted(script);
    ASSERT_NE(camera, nullptr);
    startTraceHere();
    EXPECT_FALSE(camera->SetGfid(600));
    EXPECT_FALSE(camera->ConfigureZoom({2.0f, 640, 512, 0}));
    EXPECT_TRUE(camera->SetGsk(3));
    EXPECT_EQ(newTraceLines(),
              (std::vector<std::string> {"camera[COM9].SetGfid(600) -> false",
                                         "camera[COM9].ConfigureZoom({zoomFactor=2, centerX=640, "
                                         "centerY=512, interpolationMethod=0}) -> false",
                                         "camera[COM9].SetGsk(3) -> true"}));
    EXPECT_EQ(nivaro_sim::registers("COM9").gfid, 500);
    EXPECT_FLOAT_EQ(nivaro_sim::registers("COM9").zoom.zoomFactor, 1.0f);
}

TEST_F(CameraFaults, failingDetectionReadLeavesTheRecordUnfilled)
{
    CameraScript script;
    script.iaReadFails = true;
    INivaroCamera *camera = openScripted(script);
    ASSERT_NE(camera, nullptr);
    EXPECT_TRUE(camera->SetIaConfig({2, 20, 30, 40, 1}));
    nivaro_sdk::IaConfig config {7, 7, 7, 7, 7};
    EXPECT_FALSE(camera->GetIaConfig(config));
    EXPECT_EQ(config.resizeMode, 7);
    EXPECT_EQ(nivaro_sim::traceLines().back(), "camera[COM9].GetIaConfig(out unfilled) -> false");
    EXPECT_EQ(nivaro_sim::registers("COM9").ia.maxBoxes, 20);
}

TEST_F(CameraFaults, failingNucRequestLeavesTheCorrectionAsItWas)
{
    CameraScript script;
    script.nucRequestFails = true;
    INivaroCamera *camera = openScripted(script);
    ASSERT_NE(camera, nullptr);
    EXPECT_FALSE(camera->RequestNuc());
    EXPECT_FALSE(camera->GetNucEnabled());
}

TEST_F(CameraFaults, latencyDelaysButChangesNoAnswer)
{
    CameraScript script;
    script.latencyMs = 1;
    INivaroCamera *camera = openScripted(script);
    ASSERT_NE(camera, nullptr);
    EXPECT_TRUE(camera->SetClhe(1234));
    EXPECT_EQ(camera->GetClhe(), 1234u);
}

TEST_F(CameraFaults, scriptedInitialRegistersAreWhatTheCameraHolds)
{
    CameraScript script;
    script.hasInitialRegisters = true;
    script.initialRegisters.gamma = 131072;
    script.initialRegisters.roiX1 = 0;
    INivaroCamera *camera = openScripted(script);
    ASSERT_NE(camera, nullptr);
    EXPECT_EQ(camera->GetGamma(), 131072u);
    EXPECT_EQ(camera->GetRoiX1(), 0u);
}

} // namespace
