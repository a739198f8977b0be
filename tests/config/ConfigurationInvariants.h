#pragma once

#include "config/ConfigurationJson.h"
#include "config/ProcessorConfiguration.h"
#include "dsp/Coef22Range.h"

#include <gtest/gtest.h>

#include <cmath>

namespace veld23::testing {

inline bool InCoefRange(long double v) {
    return std::isfinite(v) && v >= kCoef22Min && v <= kCoef22Max;
}

// What every configuration a reader accepted must satisfy, once the crossover refresh has
// designed its halves (done here as it would be): every stored field within what the
// editors accept (the JSON reader refuses anything else, and whatever opening would still
// change), and every coefficient and table value one the processor's word can hold.
inline void ExpectWithinEditorRanges(ProcessorConfiguration& c) {
    for (TXOVER& x : c.Crossovers) {
        EXPECT_EQ(x.HighPass.Design(), HalfDesignStatus::Ok);
        EXPECT_EQ(x.LowPass.Design(), HalfDesignStatus::Ok);
    }
    const Result<ConfigurationFileContent> stored = ContentFromJson(ConfigurationToJson(c));
    EXPECT_TRUE(stored.Succeeded()) << stored.Message();
    const auto expectUsable = [](const TSOS& s) {
        for (int k = 0; k < 5; ++k) {
            EXPECT_TRUE(InCoefRange(s.GetCoefficient(k))) << "coefficient " << k;
        }
    };
    for (const PeqSet& set : c.Peq) {
        for (const TSOS& band : set.bands) {
            expectUsable(band);
        }
    }
    for (const TXOVER& x : c.Crossovers) {
        for (const TXOVERPB* half : {&x.HighPass, &x.LowPass}) {
            for (const TSOS& s : half->Sections) {
                expectUsable(s);
            }
        }
    }
    expectUsable(c.Loudness[0]);
    for (const OutputLevel& l : c.Levels) {
        EXPECT_LT(std::fabs(l.DeviceValue()), 2.0);
    }
    for (const TDYNAMIC& d : c.Dynamics) {
        for (long double t : d.Tabla) {
            EXPECT_TRUE(InCoefRange(t));
        }
        EXPECT_TRUE(InCoefRange(d.RmsCoef) && InCoefRange(d.OutGain));
    }
}

} // namespace veld23::testing
