#pragma once

#include <vector>

// A figure measured several times: its median and the spread of the middle half.
struct Summary
{
    double median = 0.0;
    double lowerQuartile = 0.0;
    double upperQuartile = 0.0;
    bool valid = false;
};

Summary summarize(std::vector<double> samples);
