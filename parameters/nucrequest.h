#pragma once

class BoxPresenter;
class QCheckBox;

namespace nivaro_sdk {
class INivaroCamera;
}

// The request for an immediate non-uniformity correction, from either tab's button.
class NucRequest
{
public:
    // The User tab's NUC box shows the state the camera reads back after a request.
    NucRequest(QCheckBox *userNucCheckBox, BoxPresenter &boxes);

    // Asks the camera, if one is connected; a refusal is told in a box.
    void request(nivaro_sdk::INivaroCamera *camera);

private:
    QCheckBox *userNucCheckBox;
    BoxPresenter &boxes;
};
