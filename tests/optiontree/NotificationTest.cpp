// What the tree tells its target, what the target may veto, and deleting rows.
#include "OptionTreeFixture.h"

class Notifications : public OptionTreeFixture {};

TEST_F(Notifications, NothingGoesOutWithoutTheOptionOrATarget) {
    for (int variant = 0; variant < 2; ++variant) {
        SCOPED_TRACE(variant);
        Build({L"a", L"b"}, variant == 0 ? OTS_INFOPANE : kOptions);
        if (variant == 1) {
            // The target goes away while the tree lives on.
            HWND other = CreateWindowExW(0, L"TreeFrame", L"x", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
            tree->SetNotify(true, CWnd::FromHandle(other));
            DestroyWindow(other);
        }
        g_vetoes = {{OTN_ITEMEXPANDING, 1}, {OTN_COLUMNDRAG, 1}, {OTN_ITEMACTIVATING, 1}};
        Click(8, 9);  // collapse: nobody vetoes
        EXPECT_FALSE(group->IsExpanded());
        EXPECT_EQ(tree->SendNotify(OTN_ITEMEXPANDING, group), 0);
        EXPECT_TRUE(g_notifications.empty());
        tree->DestroyWindow();
        delete tree;
        tree = nullptr;
    }
}

TEST_F(Notifications, OnlyTheTreeCodesReachTheTarget) {
    Build({L"a"});
    g_vetoes = {{-2, 7}, {-3, 7}, {OTN_ITEMEXPANDING, 9}};
    EXPECT_EQ(tree->SendNotify(-2, rows[0]), 0);
    EXPECT_EQ(tree->SendNotify(-3, rows[0]), 0);
    EXPECT_EQ(tree->SendNotify(-1104, rows[0]), 0);
    EXPECT_EQ(tree->SendNotify(-1111, rows[0]), 0);
    EXPECT_EQ(tree->SendNotify(OTN_ITEMEXPANDING, rows[0]), 9);
    EXPECT_EQ(g_notifications, (std::vector<Notification>{{OTN_ITEMEXPANDING, rows[0]}}));
}

TEST_F(Notifications, ExpandingVetoedKeepsTheGroup) {
    Build({L"a"});
    g_vetoes[OTN_ITEMEXPANDING] = 1;
    Click(8, 9);
    Key(VK_LEFT);
    EXPECT_TRUE(group->IsExpanded());
    g_vetoes.clear();
    Click(8, 9);
    EXPECT_FALSE(group->IsExpanded());
}

TEST_F(Notifications, CollapsingTheFocusedRowsGroupAndClickingOffTheRowsClearTheFocus) {
    Build({L"a", L"b"});
    Click(100, 30);
    EXPECT_EQ(tree->GetFocusedItem(), rows[0]);
    EXPECT_EQ(g_notifications, (std::vector<Notification>{{OTN_SELCHANGED, rows[0]}}));
    g_notifications.clear();
    Click(8, 9);
    EXPECT_EQ(tree->GetFocusedItem(), nullptr);
    EXPECT_EQ(g_notifications, (std::vector<Notification>{{OTN_ITEMEXPANDING, group}, {OTN_SELCHANGED, nullptr}}));

    Later();
    Click(8, 9);  // open again
    Click(100, 51);
    ASSERT_EQ(tree->GetFocusedItem(), rows[1]);
    g_notifications.clear();
    Click(100, 200);  // below every row
    EXPECT_EQ(tree->GetFocusedItem(), nullptr);
    EXPECT_FALSE(rows[1]->IsSelected());
    EXPECT_EQ(g_notifications, (std::vector<Notification>{{OTN_SELCHANGED, nullptr}}));
}

TEST_F(Notifications, ClickOnAValueActivatesUnlessVetoed) {
    Build({L"a", L"b"});
    g_vetoes[OTN_ITEMACTIVATING] = 1;
    Click(200, 30);
    EXPECT_EQ(Codes(), (std::vector<int>{OTN_SELCHANGED, OTN_ITEMACTIVATING}));
    // Selecting already started the edit: the veto stops only the second start.
    EXPECT_TRUE(rows[0]->IsActivated());
    rows[1]->SetReadOnly(true);
    g_notifications.clear();
    Later();
    Click(200, 51);
    EXPECT_EQ(Codes(), (std::vector<int>{OTN_SELCHANGED}));
    EXPECT_FALSE(rows[1]->IsActivated());
}

TEST_F(Notifications, InsertAndDeleteAreToldParentsFirst) {
    Build({L"a"});
    COptionTreeItem* sub = tree->InsertItem(new COptionTreeItem, rows[0]);
    EXPECT_EQ(g_notifications, (std::vector<Notification>{{OTN_ITEMINSERTED, sub}}));
    EXPECT_EQ(tree->InsertItem(nullptr), nullptr);
    g_notifications.clear();
    tree->DeleteItem(rows[0]);
    EXPECT_EQ(g_notifications, (std::vector<Notification>{{OTN_ITEMDELETED, rows[0]}, {OTN_ITEMDELETED, sub}}));
    EXPECT_EQ(group->GetFirstChild(), nullptr);
    // After deleting everything the next row is number 2.
    tree->DeleteAllItems();
    EXPECT_EQ(tree->InsertItem(new COptionTreeItem)->GetId(), 2);
}

// Deleted rows leave the visible list at once: a click or a key before the
// next paint finds no row and reads no freed one.
TEST_F(Notifications, DeletedRowsAreNotWalkedBeforeTheNextPaint) {
    Build({L"a", L"b", L"c"}, kOptions, true);
    Click(100, 30);
    ASSERT_EQ(tree->GetFocusedItem(), rows[0]);
    SetFocus(RowsView());
    Paint();
    tree->DeleteAllItems();
    EXPECT_EQ(tree->GetVisibleList(), nullptr);
    g_notifications.clear();
    // Without painting: the tree hidden, nothing repaints it.
    tree->ShowWindow(SW_HIDE);
    SendMessageW(RowsView(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 51));
    for (UINT vk : {VK_UP, VK_DOWN, VK_HOME, VK_END, VK_LEFT, VK_RIGHT, VK_TAB, VK_RETURN})
        SendMessageW(RowsView(), WM_KEYDOWN, vk, 0);
    EXPECT_EQ(tree->GetFocusedItem(), nullptr);
    EXPECT_EQ(tree->FindItemAtPoint(CPoint(100, 51)), nullptr);
    EXPECT_EQ(tree->HitTest(CPoint(100, 51)), OTHT_NOWHERE);
    for (const Notification& n : g_notifications) EXPECT_EQ(n.item, nullptr) << n.code;
}

TEST_F(Notifications, KeyboardWalksTheVisibleRows) {
    Build({L"a", L"b"});
    SetFocus(RowsView());
    struct Step {
        UINT key;
        int focused;  // -1 the group, else the row
    } steps[] = {{VK_DOWN, -1}, {VK_DOWN, 0}, {VK_END, 1}, {VK_UP, 0}, {VK_HOME, -1}, {VK_LEFT, -1}};
    for (const Step& s : steps) {
        Key(s.key);
        COptionTreeItem* want = s.focused < 0 ? group : rows[static_cast<size_t>(s.focused)];
        EXPECT_EQ(tree->GetFocusedItem(), want) << s.key;
    }
    EXPECT_FALSE(group->IsExpanded());  // Left on an open group closes it
    Key(VK_RIGHT);
    EXPECT_TRUE(group->IsExpanded());
}

// A row deleted while it is being edited: its editor goes with it, and the
// commit that this causes is not told (the row has already left the tree).
TEST_F(Notifications, DeletingTheEditedRowTellsOnlyTheDeletion) {
    Build({L"a", L"b"}, kOptions, true);
    for (int way = 0; way < 3; ++way) {
        SCOPED_TRACE(way);
        if (way > 0) Build({L"a", L"b"}, kOptions, true);
        Click(60, 30);
        ASSERT_EQ(GetFocus(), COptionTreeItemSpinnerDec::FromItem(rows[0])->GetEdit()->m_hWnd);
        g_notifications.clear();
        if (way == 0) {
            tree->DeleteItem(rows[0]);
        } else if (way == 1) {
            tree->DeleteAllItems();
        } else {
            tree->DestroyWindow();
        }
        Paint();
        EXPECT_EQ(Count(OTN_ITEMCOMMITTED), 0);
        EXPECT_EQ(g_notifications.front(), (Notification{OTN_ITEMDELETED, way == 0 ? rows[0] : group}));
        EXPECT_EQ(Count(OTN_ITEMDELETED), way == 0 ? 1 : 3);
        delete tree;
        tree = nullptr;
    }
}
