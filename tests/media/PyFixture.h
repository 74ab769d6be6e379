// A player service and instance from ZR_Py's exported tables, per test.
#pragma once

#include "ZR_Py.h"

#include <gtest/gtest.h>

class PyFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        service = ZRCreatePyService();
        ASSERT_NE(service, nullptr);
        py = service->CreateInstance();
        ASSERT_NE(py, nullptr);
    }
    void TearDown() override
    {
        if (service)
            service->FreeInstance(py);
        ZRFreePyService(service);
    }

    PlayerService* service = nullptr;
    PlayerInstance* py = nullptr;
};
