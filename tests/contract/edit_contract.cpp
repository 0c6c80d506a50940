// The platform's single-line edit as the framed edits use it, alike headless
// and under Wine: change notifications for set texts, typing over the
// selection, refused characters and pastes, the clipboard, Ctrl+A and the
// caret keys, and (under Wine) that the window is the system's EDIT.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "contract/WindowScript.h"
#include "framework/Application.h"
#include "framework/Form.h"
#include "platform/Platform.h"
#include "widgets/VmButton.h"
#include "widgets/VmEdit.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace tandrel::contract {
namespace {

using platform::shift::kCtrl;
using platform::shift::kShift;

constexpr int kHome = 0x24;
constexpr int kEnd = 0x23;

// Counts the platform's change notifications of a bare edit window.
class ChangeCounter final : public platform::WindowHandler {
 public:
  void WindowEditChanged() override { ++changes; }
  int changes = 0;
};

class EditContract : public ::testing::Test {
 protected:
  void SetUp() override {
    platform_ = platform::CreatePlatform();
    platform::Install(platform_.get());
    app_ = std::make_unique<TApplication>();
    app_->CreateForm(form_);
    form_->SetCaption("Edit contract");
    form_->SetClientSize(300, 120);
    form_->BeginLoading();
    minutes_ = new TVmNumericEdit(form_);
    minutes_->SetBounds(10, 10, 65, 23);
    minutes_->SetMin(1);
    minutes_->SetMax(10000);
    minutes_->SetValue(30);
    minutes_->SetFrameVisible(true);
    minutes_->SetParent(form_);
    minutes_->OnChange = TNotifyEvent([this](TObject*) { ++changes_; });
    other_ = new TVmButton(form_);
    other_->SetBounds(100, 10, 75, 25);
    other_->SetParent(form_);
    form_->EndLoading();
    form_->Show();
    RunIdle(*platform_, 100);
    minutes_->SetFocus();
    RunIdle(*platform_, 50);
    changes_ = 0;
  }
  void TearDown() override {
    app_.reset();
    platform::Install(nullptr);
  }
  void Type(const std::string& digits) {
    for (char c : digits) PressKey(*platform_, c >= 'a' && c <= 'z' ? c - 32 : c, 0, static_cast<char32_t>(c));
  }
  void Ctrl(char letter) { PressKey(*platform_, letter, kCtrl, static_cast<char32_t>(letter - 'A' + 1)); }
  platform::EditSelection Selection() { return platform_->windows().GetEditSelection(minutes_->Handle()); }
  std::string WindowText() { return platform_->windows().GetText(minutes_->Handle()); }

  std::unique_ptr<platform::Platform> platform_;
  std::unique_ptr<TApplication> app_;
  TForm* form_ = nullptr;
  TVmNumericEdit* minutes_ = nullptr;
  TVmButton* other_ = nullptr;
  int changes_ = 0;
};

TEST_F(EditContract, SettingTheTextNotifiesOnceAndNotAtAllWhenUnchanged) {
  platform::WindowSystem& windows = platform_->windows();
  ChangeCounter counter;
  platform::WindowSpec params;
  params.kind = platform::WindowKind::Edit;
  params.parent = form_->Handle();
  params.bounds = TRect{10, 50, 110, 71};
  params.visible = true;
  platform::WindowHandle bare = windows.Create(params, &counter);
  windows.SetText(bare, "30");
  EXPECT_EQ(counter.changes, 1);
  EXPECT_EQ(windows.GetText(bare), "30");
  EXPECT_EQ(windows.GetEditSelection(bare), (platform::EditSelection{0, 0}));
  windows.Destroy(bare);

  minutes_->SetText("45");
  EXPECT_EQ(changes_, 1);
  EXPECT_EQ(WindowText(), "45");
  minutes_->SetText("45");
  minutes_->SetIntegerValue(45);
  EXPECT_EQ(changes_, 1);
}

TEST_F(EditContract, TypingOverTheSelectionReplacesIt) {
  EXPECT_EQ(Selection(), (platform::EditSelection{0, 2}));  // entering selected all
  Type("45");
  EXPECT_EQ(WindowText(), "45");
  EXPECT_EQ(minutes_->Text(), "45");
  EXPECT_EQ(changes_, 2);
  EXPECT_EQ(Selection(), (platform::EditSelection{2, 2}));
  PressKey(*platform_, 0x08, 0, U'\b');
  EXPECT_EQ(WindowText(), "4");
}

TEST_F(EditContract, ARefusedCharacterChangesNothing) {
  minutes_->SetSelStart(1);
  Type("a");
  PressKey(*platform_, 0x20, 0, U' ');
  EXPECT_EQ(WindowText(), "30");
  EXPECT_EQ(changes_, 0);
  EXPECT_EQ(Selection(), (platform::EditSelection{1, 1}));
}

TEST_F(EditContract, PasteReplacesTheSelectionAndARefusedOneChangesNothing) {
  platform_->windows().SetClipboardText("12a");
  Ctrl('V');
  EXPECT_EQ(WindowText(), "30");
  EXPECT_EQ(changes_, 0);
  platform_->windows().SetClipboardText("120");
  minutes_->SetSelStart(0);
  minutes_->SetSelLength(1);
  Ctrl('V');
  EXPECT_EQ(WindowText(), "1200");
  EXPECT_EQ(minutes_->Text(), "1200");
  EXPECT_EQ(changes_, 1);
  EXPECT_EQ(Selection(), (platform::EditSelection{3, 3}));
  // Copy and cut put the selection on the clipboard.
  minutes_->SetSelStart(1);
  minutes_->SetSelLength(2);
  Ctrl('C');
  EXPECT_EQ(platform_->windows().ClipboardText(), "20");
  Ctrl('X');
  EXPECT_EQ(WindowText(), "10");
  EXPECT_EQ(changes_, 2);
}

TEST_F(EditContract, CtrlASelectsAllAndTheCaretKeysMoveAndExtend) {
  minutes_->SetText("1234");
  minutes_->SetSelStart(2);
  Ctrl('A');
  EXPECT_EQ(Selection(), (platform::EditSelection{0, 4}));
  PressKey(*platform_, kEnd, 0, 0);
  EXPECT_EQ(Selection(), (platform::EditSelection{4, 4}));
  PressKey(*platform_, platform::vk::kLeft, kShift, 0);
  PressKey(*platform_, platform::vk::kLeft, kShift, 0);
  EXPECT_EQ(Selection(), (platform::EditSelection{2, 4}));
  PressKey(*platform_, kHome, kShift, 0);
  EXPECT_EQ(Selection(), (platform::EditSelection{0, 4}));
  PressKey(*platform_, kHome, 0, 0);
  PressKey(*platform_, platform::vk::kDown, 0, 0);
  EXPECT_EQ(platform_->windows().GetFocus(), minutes_->Handle());
  EXPECT_EQ(Selection(), (platform::EditSelection{1, 1}));
  PressKey(*platform_, platform::vk::kUp, 0, 0);
  EXPECT_EQ(Selection(), (platform::EditSelection{0, 0}));
  PressKey(*platform_, 0x2E, 0, 0);  // Delete
  EXPECT_EQ(WindowText(), "234");
  Ctrl('Z');
  EXPECT_EQ(WindowText(), "1234");
}

TEST_F(EditContract, LeavingClampsAndTheWindowTextIsWhatIsShown) {
  Type("0");
  PressKey(*platform_, platform::vk::kTab, 0, U'\t');
  EXPECT_EQ(platform_->windows().GetFocus(), other_->Handle());
  EXPECT_EQ(WindowText(), "1");
  minutes_->SetIntegerValue(12345);
  EXPECT_EQ(WindowText(), "12,345");
}

#ifdef _WIN32
TEST_F(EditContract, TheWindowIsTheSystemsEdit) {
  auto hwnd = reinterpret_cast<HWND>(minutes_->Handle().value);
  wchar_t name[32] = {};
  GetClassNameW(hwnd, name, 32);
  EXPECT_EQ(lstrcmpiW(name, L"Edit"), 0);
  const LONG_PTR style = GetWindowLongPtrW(hwnd, GWL_STYLE);
  EXPECT_TRUE(style & ES_RIGHT);
  EXPECT_FALSE(style & ES_MULTILINE);
  EXPECT_TRUE(GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
}
#endif

}  // namespace
}  // namespace tandrel::contract
