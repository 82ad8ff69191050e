// SPDX-License-Identifier: LicenseRef-Tavelcor
// The keypad on a desktop in memory: a temporary program folder, a fake
// desktop with two other windows (A and B), the scripted prompter, and the
// keypad's state and forms fresh for every test.
#pragma once

#include "keypad/form1.h"
#include "keypad/jyouken.h"
#include "keypad/module1.h"
#include "keypad/settings_file.h"

#include "platform/forms/form_holder.h"
#include "platform/prompt/testing.h"
#include "platform/desktop/fake_desktop.h"
#include "scoped_env.h"

#include <QByteArray>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>

namespace keypad_test {

inline constexpr platform::WindowHandle kWindowA = 0xA001;
inline constexpr platform::WindowHandle kWindowB = 0xB002;

class KeypadTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(mHome.isValid());
        mHomeEnv.emplace("TAVELCOR_HOME", mHome.path());
        platform::destroyAllForms();
        kintab::resetKeypadState();
        mDesktop.addWindow(kWindowA);
        mDesktop.addWindow(kWindowB);
        kintab::KeypadServices services;
        services.windows = &mDesktop;
        services.openKeySender = [this] { return mDesktop.openKeySender(); };
        services.endProgram = [this] { ++mProgramEnds; };
        kintab::installServices(std::move(services));
    }

    void TearDown() override
    {
        platform::destroyAllForms();
        kintab::installServices({});
    }

    QString settingsPath() const { return mHome.path() + QStringLiteral("/KINTAB.JKN"); }

    void writeSettings(const QByteArray& bytes)
    {
        QFile file(settingsPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    // The file's bytes; empty when there is none.
    QByteArray settingsBytes() const
    {
        QFile file(settingsPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    bool settingsExist() const { return QFile::exists(settingsPath()); }

    kintab::Form1& keypadWindow() { return kintab::form1(); }

    // A tick of the timer with `front` in front.
    void tickWith(platform::WindowHandle front)
    {
        mDesktop.setForeground(front);
        keypadWindow().Timer1_Timer();
    }

    // A mouse press on a key (button 1 left, 2 right, 4 middle).
    void press(int key, int button = 1)
    {
        keypadWindow().Command59_MouseDown(key, button, 0, 0.0, 0.0);
    }

    // The letter box's own line edit, to type into as a user does.
    static QLineEdit* lineEditOf(platform::TextBox& box)
    {
        if (auto* edit = qobject_cast<QLineEdit*>(box.widget()))
            return edit;
        return box.widget()->findChild<QLineEdit*>();
    }

    QTemporaryDir mHome;
    std::optional<testing_support::ScopedEnv> mHomeEnv;
    platform::FakeDesktop mDesktop;
    platform::testing::GTestScriptedPrompter mScript;
    int mProgramEnds = 0;
};

}  // namespace keypad_test
