#include "TriodeStage.h"

void TriodeStage::Coefficients::configure(
    float fs, float fPlate, float fInput, float fCoupling, float r, float k)
{
    biasScale = 1.0f / r;
    plateScale = static_cast<float>(k * 0.01);
    plateFilter.setCutoff(fPlate, fs);
    couplingFilter.setCutoff(fCoupling, fs);
    inputFilter.setCutoff(fInput, fs);
}
