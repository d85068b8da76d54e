#include "freeze_floor.h"

#include "nivaro_sdk.h"

// Each call is the one in the window's trace, in its order and with its arguments; the
// benchmark compares both traces, so a change on either side is reported at once.
namespace freeze_floor {

Link connect(const char *port)
{
    Link link;
    nivaro_sdk::INivaroSdk *sdk = nivaro_sdk::NivaroSdk::get_instance();
    nivaro_sdk::INivaroConfig *config = sdk->GetConfig();
    sdk->GetConfig()->GetLinkType();
    link.connection = sdk->CreateConnection();
    link.camera = link.connection->OpenCamera(port);
    nivaro_sdk::INivaroCamera *camera = link.camera;
    if (!camera)
        return link;

    uint8_t cameraType = 0;
    camera->GetCameraType(cameraType);
    nivaro_sdk::VersionInfo versions {};
    camera->GetVersions(versions);
    camera->BeginRead();
    camera->GetGamma();
    camera->GetClhe();
    camera->GetSharpening();
    camera->GetRoiX1();
    camera->GetRoiY1();
    camera->GetRoiX2();
    camera->GetRoiY2();
    camera->GetPolarity();
    nivaro_sdk::ZoomConfig zoom {};
    camera->GetZoom(zoom);
    camera->GetContrastType();
    camera->GetNucEnabled();
    camera->GetHorizontalFlip();
    camera->GetVerticalFlip();
    camera->GetVignettingCorrection();
    camera->GetColumnCorrection();

    sdk->GetConfig();
    if (config->IsExpertModeEnabled()) {
        camera->GetGsk();
        camera->GetGfid();
        camera->GetGms();
        camera->GetTint();
        camera->GetBpr();
        camera->GetOffsetCorrection();
        camera->GetGainCorrection();
        camera->GetNucEnabled();
    }
    nivaro_sdk::IaConfig detection {};
    camera->GetIaConfig(detection);
    return link;
}

void disconnect(Link &link)
{
    if (link.camera)
        link.connection->CloseCamera(link.camera);
    nivaro_sdk::NivaroSdk::get_instance()->ReleaseConnection(&link.connection);
    link = Link {};
}

void writeUser(nivaro_sdk::INivaroCamera &camera)
{
    camera.SetGamma(65536);
    camera.SetClhe(1500);
    camera.SetSharpening(256);
    camera.SetRoiX1(160);
    camera.SetRoiY1(128);
    camera.SetRoiX2(1120);
    camera.SetRoiY2(896);
    camera.SetPolarity(false);
    camera.ConfigureZoom(nivaro_sdk::ZoomConfig {1.0f, 640, 512, 0});
    camera.SetContrastType(0);
    camera.SetNucEnabled(0);
    camera.SetHorizontalFlip(false);
    camera.SetVerticalFlip(false);
    camera.SetVignettingCorrection(false);
    camera.SetColumnCorrection(false);
    nivaro_sdk::NivaroSdk::get_instance()->NotifyParametersApplied();
}

} // namespace freeze_floor
