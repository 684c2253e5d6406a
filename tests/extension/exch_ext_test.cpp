#include "extension/exch_ext.h"

#include <vector>

#include "extension/commands.h"
#include "extension/message_events.h"
#include "extension/message_state.h"
#include "tests/support/fresh_world.h"
#include "tests/support/test_callback.h"

namespace {

class ExtensionObject : public sigtest::FreshWorld {
 protected:
  void SetUp() override {
    FreshWorld::SetUp();
    // The version check has run and accepted the host.
    bVersionChecked = TRUE;
    bCorrectVersion = TRUE;
    nOutlookVersion = 99;
    CurrentContext = 0;
  }
  void TearDown() override {
    while (g_pMyExtension && g_pMyExtension->Release() != 0) {
    }
    FreshWorld::TearDown();
  }
  template <class T>
  T* Ask(IUnknown* from, REFIID riid, HRESULT expected = S_OK) {
    void* p = reinterpret_cast<void*>(1);
    EXPECT_EQ(from->QueryInterface(riid, &p), expected);
    if (expected != S_OK) {
      EXPECT_EQ(p, nullptr);
    }
    return static_cast<T*>(p);
  }
};

TEST_F(ExtensionObject, EntryPointHandsOutOneObjectUntilItIsReleased) {
  LPEXCHEXT first = ExchEntryPoint();
  LPEXCHEXT second = ExchEntryPoint();
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first, second);
  EXPECT_EQ(g_pMyExtension->m_cRef, 2u);
  EXPECT_EQ(first->Release(), 1u);
  EXPECT_EQ(second->Release(), 0u);
  EXPECT_EQ(g_pMyExtension, nullptr);
  LPEXCHEXT third = ExchEntryPoint();
  ASSERT_NE(third, nullptr);
  EXPECT_EQ(g_pMyExtension->m_cRef, 1u);
  third->Release();
}

struct ContextCase {
  ULONG context;
  HRESULT expected;
};

class InstallContexts : public ExtensionObject, public ::testing::WithParamInterface<ContextCase> {};

TEST_P(InstallContexts, AcceptsTheViewerNotesAndPropertySheetsOnly) {
  sigtest::TestCallback outlook;
  LPEXCHEXT ext = ExchEntryPoint();
  EXPECT_EQ(ext->Install(&outlook, GetParam().context, 0), GetParam().expected);
  EXPECT_EQ(CurrentContext, GetParam().context);  // recorded even when declined
  EXPECT_EQ(outlook.refs, 0);                     // Outlook's callback was given back
  ext->Release();
}

INSTANTIATE_TEST_SUITE_P(
    Contexts, InstallContexts,
    ::testing::Values(ContextCase{1, S_FALSE}, ContextCase{2, S_OK}, ContextCase{3, S_FALSE},
                      ContextCase{4, S_FALSE}, ContextCase{5, S_FALSE}, ContextCase{6, S_OK},
                      ContextCase{7, S_OK}, ContextCase{8, S_OK}, ContextCase{9, S_OK},
                      ContextCase{10, S_OK}, ContextCase{11, S_OK}, ContextCase{12, S_OK},
                      ContextCase{13, S_FALSE}, ContextCase{14, S_FALSE},
                      ContextCase{0x40, S_FALSE}));

TEST_F(ExtensionObject, InstallDeclinesAHostThatIsNotOutlook) {
  sigtest::TestCallback other(false);
  LPEXCHEXT ext = ExchEntryPoint();
  for (ULONG context : {2u, 6u, 7u, 12u}) EXPECT_EQ(ext->Install(&other, context, 0), S_FALSE);
  ext->Release();
}

TEST_F(ExtensionObject, RejectedVersionDeclinesEveryContextWithoutCheckingAgain) {
  bCorrectVersion = FALSE;
  nOutlookVersion = 0;
  sigtest::TestCallback outlook;
  LPEXCHEXT ext = ExchEntryPoint();
  for (ULONG context : {2u, 6u, 7u, 12u}) EXPECT_EQ(ext->Install(&outlook, context, 0), S_FALSE);
  EXPECT_TRUE(Boxes().empty());
  EXPECT_EQ(nOutlookVersion, 0);
  ext->Release();
}

TEST_F(ExtensionObject, QueryInterfaceFollowsItsTable) {
  LPEXCHEXT ext = ExchEntryPoint();
  EXPECT_EQ(Ask<IUnknown>(ext, IID_IUnknown), static_cast<IUnknown*>(ext));
  EXPECT_EQ(g_pMyExtension->m_cRef, 2u);
  ext->Release();
  Ask<IUnknown>(ext, IID_IExchExt, E_NOINTERFACE);
  Ask<IUnknown>(ext, IID_IExchExtCallback, E_NOINTERFACE);

  auto* commands1 = Ask<IExchExtCommands>(ext, IID_IExchExtCommands);
  auto* commands2 = Ask<IExchExtCommands>(ext, IID_IExchExtCommands);
  EXPECT_NE(commands1, commands2);
  EXPECT_EQ(static_cast<IExchExtCommands*>(g_pMyExtension->m_pExchExtCommands), commands2);

  auto* events1 = Ask<IExchExtMessageEvents>(ext, IID_IExchExtMessageEvents);
  auto* events2 = Ask<IExchExtMessageEvents>(ext, IID_IExchExtMessageEvents);
  EXPECT_EQ(events1, events2);
  auto* user1 = Ask<IExchExtUserEvents>(ext, IID_IExchExtUserEvents);
  auto* item1 = Ask<IOutlookExtItemEvents>(ext, IID_IOutlookExtItemEvents);
  auto* item2 = Ask<IOutlookExtItemEvents>(ext, IID_IOutlookExtItemEvents);
  EXPECT_NE(item1, item2);

  EXPECT_EQ(events1->Release(), 1u);  // the same object twice
  for (IUnknown* p : std::vector<IUnknown*>{commands1, commands2, events2, user1, item1, item2}) {
    EXPECT_EQ(p->Release(), 0u);
  }
  EXPECT_EQ(g_pMyExtension->m_pExchExtMessageEvents, nullptr);
  ext->Release();
}

TEST_F(ExtensionObject, PropertySheetsOnlyOutsideNotesAndTheViewer) {
  sigtest::TestCallback outlook;
  LPEXCHEXT ext = ExchEntryPoint();
  for (ULONG context : {2u, 6u, 7u, 8u, 9u, 10u, 11u}) {
    ext->Install(&outlook, context, 0);
    Ask<IUnknown>(ext, IID_IExchExtPropertySheets, E_NOINTERFACE);
    EXPECT_EQ(g_pMyExtension->m_pExchExtPropertySheets, nullptr);
  }
  ext->Install(&outlook, EECONTEXT_PROPERTYSHEETS, 0);
  auto* sheets = Ask<IExchExtPropertySheets>(ext, IID_IExchExtPropertySheets);
  ASSERT_NE(sheets, nullptr);
  EXPECT_EQ(sheets->Release(), 0u);
  ext->Release();
}

TEST_F(ExtensionObject, InterfaceObjectsAnswerQueryInterfaceLikeTheExtension) {
  LPEXCHEXT ext = ExchEntryPoint();
  auto* events = Ask<IExchExtMessageEvents>(ext, IID_IExchExtMessageEvents);
  auto* commands = Ask<IExchExtCommands>(events, IID_IExchExtCommands);
  EXPECT_EQ(static_cast<IExchExtCommands*>(g_pMyExtension->m_pExchExtCommands), commands);
  EXPECT_EQ(Ask<IUnknown>(commands, IID_IUnknown), static_cast<IUnknown*>(ext));
  Ask<IUnknown>(commands, IID_IExchExt, E_NOINTERFACE);
  ext->Release();
  commands->Release();
  events->Release();
  ext->Release();
}

TEST_F(ExtensionObject, LastReleaseClearsTheSlotEvenOfANewerObject) {
  LPEXCHEXT ext = ExchEntryPoint();
  auto* older = Ask<IExchExtCommands>(ext, IID_IExchExtCommands);
  auto* newer = Ask<IExchExtCommands>(ext, IID_IExchExtCommands);
  older->Release();
  EXPECT_EQ(g_pMyExtension->m_pExchExtCommands, nullptr);
  newer->Release();
  ext->Release();
}

TEST_F(ExtensionObject, InterfaceObjectsMayOutliveTheHostsReferenceToTheExtension) {
  LPEXCHEXT ext = ExchEntryPoint();
  auto* commands = Ask<IExchExtCommands>(ext, IID_IExchExtCommands);
  auto* events = Ask<IExchExtMessageEvents>(ext, IID_IExchExtMessageEvents);
  EXPECT_EQ(ext->Release(), 0u);
  EXPECT_EQ(g_pMyExtension, nullptr);
  // The detached object refuses new interfaces but still answers safely.
  Ask<IUnknown>(commands, IID_IExchExtCommands, E_NOINTERFACE);
  EXPECT_EQ(commands->Release(), 0u);
  EXPECT_EQ(events->Release(), 0u);  // the last one takes the extension object with it
  LPEXCHEXT fresh = ExchEntryPoint();
  EXPECT_EQ(g_pMyExtension->m_cRef, 1u);
  fresh->Release();
}

}  // namespace
