#include "parameters/nucrequest.h"

#include "nivaro_sdk.h"
#include "parameters/boxpresenter.h"
#include "parameters/formstates.h"

#include <QCheckBox>

NucRequest::NucRequest(QCheckBox *userNucCheckBox, BoxPresenter &boxes)
    : userNucCheckBox(userNucCheckBox), boxes(boxes)
{ }

void NucRequest::request(nivaro_sdk::INivaroCamera *camera)
{
    if (!camera)
        return;
    // Only the User tab's box follows: the Expert one waits for the next Expert read.
    if (camera->RequestNuc())
        userNucCheckBox->setCheckState(formstates::checkStateFor(camera->GetNucEnabled()));
    else
        boxes.warning(windowText("Error on processing the NUC request"));
}
