// The accessible object of a control (see access.h for the object model): a hand-written COM
// object answering IAccessible from the control record through the same queries, geometry
// routines and selection steps the messages use. Nothing is computed or stored per item: a
// child id is an item index, and every answer is read when it is asked for.
#include "access.h"

#include "../items/items.h"
#include "../layout/layout.h"
#include "../selection/selection.h"

#include <oleacc.h>

#include <new>

namespace {

// The interface identifier, defined here: with MinGW the import library's IID_IAccessible
// resolves to an import stub instead of the GUID, and marshaling then fails.
constexpr IID kIidAccessible = {
    0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

// The three objects: the control (the outline), its header bar and its row-label column.
enum class Part { Outline, Header, Labels };

// What a child id names, and the item or column it names.
enum class Kind { Self, Item, HeaderObject, LabelsObject, Column, Label };
struct Target {
    Kind kind;
    INT index;
};

constexpr LONG kStateNone = 0;

// Objects live on the library's heap; null when it is exhausted.
template <class T> T *Create() {
    void *memory = LumAllocZero(sizeof(T));
    return memory ? new (memory) T : nullptr;
}

bool SameGuid(REFIID a, REFIID b) {
    return IsEqualGUID(a, b) != 0;
}

// The IUnknown part of the objects here: QueryInterface hands out the one interface pointer
// for IUnknown and the interfaces the object names as known; Release frees the object (its
// own references first, through its Free) when the last reference goes.
template <class Interface> HRESULT Hand(Interface *self, bool known, REFIID riid, void **out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (!known && !SameGuid(riid, IID_IUnknown)) return E_NOINTERFACE;
    *out = self;
    self->AddRef();
    return S_OK;
}
template <class Object> ULONG Drop(Object *self) {
    LONG left = --self->refs;
    if (left == 0) {
        self->Free();
        self->~Object();
        LumFree(self);
    }
    return static_cast<ULONG>(left);
}

// A string of the control (in its own width) as a BSTR; null for none.
HRESULT ToBstr(const TreeCtl *ctl, const char *text, BSTR *out) {
    *out = nullptr;
    if (!text) return S_FALSE;
    INT length = TextToUtf16(ctl, text, nullptr, 0);
    *out = SysAllocStringLen(nullptr, static_cast<UINT>(length));
    if (!*out) return E_OUTOFMEMORY;
    TextToUtf16(ctl, text, *out, length + 1);
    return S_OK;
}

void SetI4(VARIANT *v, LONG value) {
    v->vt = VT_I4;
    v->lVal = value;
}

// A rectangle in client coordinates as a screen location.
HRESULT Location(const TreeCtl *ctl, RECT rect, LONG *x, LONG *y, LONG *w, LONG *h) {
    if (IsRectEmpty(&rect)) return S_FALSE;
    MapWindowPoints(ctl->window, nullptr, reinterpret_cast<POINT *>(&rect), 2);
    *x = rect.left;
    *y = rect.top;
    *w = rect.right - rect.left;
    *h = rect.bottom - rect.top;
    return S_OK;
}

// Visibility of a row: invisible while hidden, offscreen while shown outside the view.
LONG RowVisibility(const TreeCtl *ctl, INT i) {
    if (!ItemShown(ctl, i)) return STATE_SYSTEM_INVISIBLE;
    return ScreenRowOf(ctl, i) < 0 ? STATE_SYSTEM_OFFSCREEN : kStateNone;
}

LONG ItemState(const TreeCtl *ctl, INT i) {
    const TreeItem *item = ItemAt(ctl, i);
    LONG state = STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE | RowVisibility(ctl, i);
    if (item->flags & kItemSelected) state |= STATE_SYSTEM_SELECTED;
    if (i == ctl->caret && GetFocus() == ctl->window) state |= STATE_SYSTEM_FOCUSED;
    if (HasChildren(ctl, i))
        state |= IsExpanded(ctl, i) ? STATE_SYSTEM_EXPANDED : STATE_SYSTEM_COLLAPSED;
    if (IsMultiSel(ctl)) state |= STATE_SYSTEM_MULTISELECTABLE | STATE_SYSTEM_EXTSELECTABLE;
    if (!(item->flags & kItemEnabled) || !IsWindowEnabled(ctl->window))
        state |= STATE_SYSTEM_UNAVAILABLE;
    return state;
}

// The description of an item: its texts in the columns after column 0, each after its
// column's title. Written into out when it is given; returns the length in characters.
INT Description(const TreeCtl *ctl, INT i, wchar_t *out) {
    INT length = 0;
    auto append = [&](const char *text) {
        INT n = TextToUtf16(ctl, text, nullptr, 0);
        if (n < 1) return;
        if (out) TextToUtf16(ctl, text, out + length, n + 1);
        length += n;
    };
    wchar_t comma[3], colon[3];
    for (INT c = 1; c < ctl->columnCount; ++c) {
        const char *text = ItemText(ItemAt(ctl, i), c);
        if (TextEmpty(ctl, text)) continue;
        if (length > 0) append(TextFromAscii(ctl, ", ", comma));
        if (const char *title = ctl->columns[c].title; !TextEmpty(ctl, title)) {
            append(title);
            append(TextFromAscii(ctl, ": ", colon));
        }
        append(text);
    }
    return length;
}

// The shown row after or before a row, -1 at the ends.
INT RowStep(const TreeCtl *ctl, INT i, bool down) {
    return down ? NextShown(ctl, i) : PrevShown(ctl, i);
}

// An item's neighbour in a navigation direction (see access.h); -1 for none.
INT NavigateItem(const TreeCtl *ctl, INT i, LONG dir) {
    switch (dir) {
    case NAVDIR_DOWN: return RowStep(ctl, i, true);
    case NAVDIR_UP: return RowStep(ctl, i, false);
    case NAVDIR_NEXT: return NextSibling(ctl, i);
    case NAVDIR_PREVIOUS: return PrevSibling(ctl, i);
    case NAVDIR_RIGHT:
    case NAVDIR_FIRSTCHILD: return HasChildren(ctl, i) ? i + 1 : kNone;
    case NAVDIR_LASTCHILD: return HasChildren(ctl, i) ? LastSibling(ctl, i + 1) : kNone;
    case NAVDIR_LEFT: return ParentOf(ctl, i);
    default: return kNone;
    }
}

} // namespace

// One accessible object. The control's own object holds the record until the control is
// destroyed; the header-bar and label-column objects hold a reference to it and read the
// record through it, so one disconnection reaches all three.
struct AccessObject final : IAccessible {
    LONG refs = 1;
    Part part = Part::Outline;
    TreeCtl *ctl = nullptr;          // the control; null once disconnected (outline only)
    AccessObject *outline = nullptr; // header and labels: the control's object
    IAccessible *standard = nullptr; // outline: the platform's client object of the window

    TreeCtl *Control() const { return part == Part::Outline ? ctl : outline->ctl; }

    // A sub-object of the control's object: the header bar or the label column.
    AccessObject *Sub(Part which) {
        auto *sub = Create<AccessObject>();
        if (!sub) return nullptr;
        sub->part = which;
        sub->outline = this;
        AddRef();
        return sub;
    }

    // The control and what a child id of this object names: CO_E_OBJNOTCONNECTED once the
    // control is gone, E_INVALIDARG for an id this object does not have.
    HRESULT Resolve(const VARIANT &v, TreeCtl **control, Target *t) const {
        const TreeCtl *c = *control = Control();
        if (!c) return CO_E_OBJNOTCONNECTED;
        if (v.vt != VT_I4) return E_INVALIDARG;
        const LONG id = v.lVal;
        if (id == CHILDID_SELF) {
            *t = {Kind::Self, kNone};
            return S_OK;
        }
        const INT index = id - 1;
        switch (part) {
        case Part::Outline:
            if (ValidIndex(c, index))
                *t = {Kind::Item, index};
            else if (index == c->itemCount)
                *t = {Kind::HeaderObject, kNone};
            else if (index == c->itemCount + 1)
                *t = {Kind::LabelsObject, kNone};
            else
                return E_INVALIDARG;
            return S_OK;
        case Part::Header:
            if (index < 0 || index >= c->columnCount) return E_INVALIDARG;
            *t = {Kind::Column, index};
            return S_OK;
        case Part::Labels:
            if (!ValidIndex(c, index)) return E_INVALIDARG;
            *t = {Kind::Label, index};
            return S_OK;
        }
        return E_INVALIDARG;
    }

    // Runs a call on the sub-object a child id of the control names, asked about itself.
    template <class Call> HRESULT OnSub(Kind kind, Call call) {
        AccessObject *sub = Sub(kind == Kind::HeaderObject ? Part::Header : Part::Labels);
        if (!sub) return E_OUTOFMEMORY;
        VARIANT self;
        SetI4(&self, CHILDID_SELF);
        HRESULT hr = call(sub, self);
        sub->Release();
        return hr;
    }
    static bool IsSub(Kind kind) {
        return kind == Kind::HeaderObject || kind == Kind::LabelsObject;
    }

    // The id of a row in this object's numbering (an item or a row label).
    VARIANT RowId(INT i) const {
        VARIANT v;
        VariantInit(&v);
        if (i >= 0) SetI4(&v, i + 1);
        return v;
    }

    // ---- IUnknown ----
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void **out) override {
        return Hand<IAccessible>(
            this, SameGuid(riid, IID_IDispatch) || SameGuid(riid, kIidAccessible), riid, out);
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++refs); }
    ULONG STDMETHODCALLTYPE Release() override { return Drop(this); }
    // Called by Drop before the object goes.
    void Free() {
        if (standard) standard->Release();
        if (outline) outline->Release();
    }

    // ---- IDispatch: no type information; clients call the interface directly ----
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT *count) override {
        if (count) *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo **) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR *, UINT, LCID, DISPID *) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS *, VARIANT *,
                                     EXCEPINFO *, UINT *) override {
        return E_NOTIMPL;
    }

    // ---- IAccessible ----
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch **parent) override {
        if (!parent) return E_POINTER;
        *parent = nullptr;
        if (!Control()) return CO_E_OBJNOTCONNECTED;
        if (part != Part::Outline) {
            outline->AddRef();
            *parent = outline;
            return S_OK;
        }
        return standard ? standard->get_accParent(parent) : S_FALSE;
    }

    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG *count) override {
        if (!count) return E_POINTER;
        *count = 0;
        const TreeCtl *c = Control();
        if (!c) return CO_E_OBJNOTCONNECTED;
        switch (part) {
        case Part::Outline: *count = c->itemCount + 2; break;
        case Part::Header: *count = c->columnCount; break;
        case Part::Labels: *count = c->itemCount; break;
        }
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT id, IDispatch **child) override {
        if (!child) return E_POINTER;
        *child = nullptr;
        TreeCtl *c;
        Target t;
        if (HRESULT hr = Resolve(id, &c, &t); FAILED(hr)) return hr;
        if (t.kind == Kind::Self) {
            AddRef();
            *child = this;
            return S_OK;
        }
        if (!IsSub(t.kind)) return S_FALSE; // items, columns and labels are simple elements
        *child = Sub(t.kind == Kind::HeaderObject ? Part::Header : Part::Labels);
        return *child ? S_OK : E_OUTOFMEMORY;
    }

    HRESULT STDMETHODCALLTYPE get_accName(VARIANT id, BSTR *name) override {
        if (!name) return E_POINTER;
        *name = nullptr;
        TreeCtl *c;
        Target t;
        if (HRESULT hr = Resolve(id, &c, &t); FAILED(hr)) return hr;
        LabelNumberText number;
        switch (t.kind) {
        case Kind::Self:
            if (part == Part::Outline) return standard ? standard->get_accName(id, name) : S_FALSE;
            return S_FALSE;
        case Kind::Item: return ToBstr(c, ItemText(ItemAt(c, t.index), 0), name);
        case Kind::Column: return ToBstr(c, c->columns[t.index].title, name);
        case Kind::Label: return ToBstr(c, LabelText(c, t.index, number), name);
        default:
            return OnSub(t.kind, [&](AccessObject *sub, VARIANT self) {
                return sub->get_accName(self, name);
            });
        }
    }

    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT id, BSTR *value) override {
        if (!value) return E_POINTER;
        *value = nullptr;
        TreeCtl *c;
        Target t;
        if (HRESULT hr = Resolve(id, &c, &t); FAILED(hr)) return hr;
        if (t.kind != Kind::Item) return S_FALSE;
        char level[16];
        wchar_t wide[16];
        wsprintfA(level, "%d", LevelOf(c, t.index));
        return ToBstr(c, TextFromAscii(c, level, wide), value);
    }

    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT id, BSTR *text) override {
        if (!text) return E_POINTER;
        *text = nullptr;
        TreeCtl *c;
        Target t;
        if (HRESULT hr = Resolve(id, &c, &t); FAILED(hr)) return hr;
        if (t.kind != Kind::Item) return S_FALSE;
        INT length = Description(c, t.index, nullptr);
        if (length == 0) return S_FALSE;
        *text = SysAllocStringLen(nullptr, static_cast<UINT>(length));
        if (!*text) return E_OUTOFMEMORY;
        Description(c, t.index, *text);
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT id, VARIANT *role) override {
        if (!role) return E_POINTER;
        VariantInit(role);
        TreeCtl *c;
        Target t;
        if (HRESULT hr = Resolve(id, &c, &t); FAILED(hr)) return hr;
        switch (t.kind) {
        case Kind::Self:
            SetI4(role, part == Part::Outline ? ROLE_SYSTEM_OUTLINE : ROLE_SYSTEM_LIST);
            break;
        case Kind::Item: SetI4(role, ROLE_SYSTEM_OUTLINEITEM); break;
        case Kind::Column: SetI4(role, ROLE_SYSTEM_COLUMNHEADER); break;
        case Kind::Label: SetI4(role, ROLE_SYSTEM_ROWHEADER); break;
        default: SetI4(role, ROLE_SYSTEM_LIST); break;
        }
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE get_accState(VARIANT id, VARIANT *state) override {
        if (!state) return E_POINTER;
        VariantInit(state);
        TreeCtl *c;
        Target t;
        if (HRESULT hr = Resolve(id, &c, &t); FAILED(hr)) return hr;
        LONG bits = kStateNone;
        switch (t.kind) {
        case Kind::Self:
            if (part == Part::Outline) {
                bits = STATE_SYSTEM_FOCUSABLE;
                if (GetFocus() == c->window) bits |= STATE_SYSTEM_FOCUSED;
                if (!IsWindowVisible(c->window)) bits |= STATE_SYSTEM_INVISIBLE;
                if (!IsWindowEnabled(c->window)) bits |= STATE_SYSTEM_UNAVAILABLE;
                if (IsMultiSel(c))
                    bits |= STATE_SYSTEM_MULTISELECTABLE | STATE_SYSTEM_EXTSELECTABLE;
            } else if (!(part == Part::Header ? c->showHeader : c->showLabels)) {
                bits = STATE_SYSTEM_INVISIBLE;
            }
            break;
        case Kind::Item: bits = ItemState(c, t.index); break;
        case Kind::Column: {
            RECT bar = HeaderBarRect(c), cell = ColumnHeaderRect(c, t.index), seen;
            if (!c->showHeader)
                bits = STATE_SYSTEM_INVISIBLE;
            else if (!IntersectRect(&seen, &bar, &cell))
                bits = STATE_SYSTEM_OFFSCREEN;
            if (t.index == c->pressedHeader) bits |= STATE_SYSTEM_PRESSED;
            if (c->columns[t.index].headerFlags & LUMTREEHEADER_DISABLED)
                bits |= STATE_SYSTEM_UNAVAILABLE;
            break;
        }
        case Kind::Label:
            bits = c->showLabels ? RowVisibility(c, t.index) : STATE_SYSTEM_INVISIBLE;
            if (ItemAt(c, t.index)->flags & kItemSelected) bits |= STATE_SYSTEM_SELECTED;
            if (c->labelFlags & LUMTREELABEL_DISABLED) bits |= STATE_SYSTEM_UNAVAILABLE;
            break;
        default:
            return OnSub(t.kind, [&](AccessObject *sub, VARIANT self) {
                return sub->get_accState(self, state);
            });
        }
        SetI4(state, bits);
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT, BSTR *help) override {
        if (!help) return E_POINTER;
        *help = nullptr;
        return Control() ? S_FALSE : CO_E_OBJNOTCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR *file, VARIANT, LONG *topic) override {
        if (file) *file = nullptr;
        if (topic) *topic = 0;
        return Control() ? S_FALSE : CO_E_OBJNOTCONNECTED;
    }

    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT id, BSTR *keys) override {
        if (!keys) return E_POINTER;
        *keys = nullptr;
        if (!Control()) return CO_E_OBJNOTCONNECTED;
        if (part == Part::Outline && id.vt == VT_I4 && id.lVal == CHILDID_SELF && standard)
            return standard->get_accKeyboardShortcut(id, keys);
        return S_FALSE;
    }

    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT *focus) override {
        if (!focus) return E_POINTER;
        VariantInit(focus);
        const TreeCtl *c = Control();
        if (!c) return CO_E_OBJNOTCONNECTED;
        if (part != Part::Outline || GetFocus() != c->window) return S_FALSE;
        SetI4(focus, ValidIndex(c, c->caret) ? c->caret + 1 : CHILDID_SELF);
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT *selection) override;

    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT id, BSTR *action) override {
        if (!action) return E_POINTER;
        *action = nullptr;
        TreeCtl *c;
        Target t;
        if (HRESULT hr = Resolve(id, &c, &t); FAILED(hr)) return hr;
        if (t.kind != Kind::Item) return S_FALSE;
        const wchar_t *verb = !HasChildren(c, t.index) ? L"Select"
                              : IsExpanded(c, t.index) ? L"Collapse"
                                                       : L"Expand";
        *action = SysAllocString(verb);
        return *action ? S_OK : E_OUTOFMEMORY;
    }

    HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT id) override;

    HRESULT STDMETHODCALLTYPE accLocation(LONG *x, LONG *y, LONG *w, LONG *h, VARIANT id) override {
        if (!x || !y || !w || !h) return E_POINTER;
        *x = *y = *w = *h = 0;
        TreeCtl *c;
        Target t;
        if (HRESULT hr = Resolve(id, &c, &t); FAILED(hr)) return hr;
        RECT rect{};
        switch (t.kind) {
        case Kind::Self:
            if (part == Part::Outline)
                return standard ? standard->accLocation(x, y, w, h, id) : S_FALSE;
            if (part == Part::Header)
                rect = HeaderBarRect(c);
            else if (c->showLabels)
                rect = LabelColumnRect(c);
            break;
        case Kind::Item: RowRect(c, t.index, &rect); break;
        case Kind::Column: rect = ColumnHeaderRect(c, t.index); break;
        case Kind::Label:
            if (c->showLabels) LabelRect(c, t.index, &rect);
            break;
        default:
            return OnSub(t.kind, [&](AccessObject *sub, VARIANT self) {
                return sub->accLocation(x, y, w, h, self);
            });
        }
        return Location(c, rect, x, y, w, h);
    }

    HRESULT STDMETHODCALLTYPE accNavigate(LONG dir, VARIANT start, VARIANT *end) override {
        if (!end) return E_POINTER;
        VariantInit(end);
        TreeCtl *c;
        Target t;
        if (HRESULT hr = Resolve(start, &c, &t); FAILED(hr)) return hr;
        INT found = kNone;
        switch (t.kind) {
        case Kind::Self:
            if (dir != NAVDIR_FIRSTCHILD && dir != NAVDIR_LASTCHILD) {
                if (part == Part::Outline && standard)
                    return standard->accNavigate(dir, start, end);
                return S_FALSE;
            }
            if (part == Part::Header) {
                found = dir == NAVDIR_FIRSTCHILD ? 0 : c->columnCount - 1;
            } else {
                found = dir == NAVDIR_FIRSTCHILD ? ItemAtShownRow(c, 0) : LastShown(c);
            }
            break;
        case Kind::Item: found = NavigateItem(c, t.index, dir); break;
        case Kind::Label:
            if (dir == NAVDIR_DOWN || dir == NAVDIR_NEXT) found = RowStep(c, t.index, true);
            if (dir == NAVDIR_UP || dir == NAVDIR_PREVIOUS) found = RowStep(c, t.index, false);
            break;
        case Kind::Column:
            if (dir == NAVDIR_RIGHT || dir == NAVDIR_NEXT) found = t.index + 1;
            if (dir == NAVDIR_LEFT || dir == NAVDIR_PREVIOUS) found = t.index - 1;
            if (found >= c->columnCount) found = kNone;
            break;
        default: break;
        }
        *end = RowId(found);
        return found < 0 ? S_FALSE : S_OK;
    }

    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT *hit) override;

    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT id) override {
        TreeCtl *c;
        Target t;
        if (HRESULT hr = Resolve(id, &c, &t); FAILED(hr)) return hr;
        if (t.kind != Kind::Item) return DISP_E_MEMBERNOTFOUND;
        if (HasChildren(c, t.index)) {
            SingleSelectionStep(c, t.index, false, false);
            if (Control()) NotifyAlways(c, LUMTREEN_LBUTTONDOWN + LUMTREEHIT_BUTTON);
        } else {
            SelectionStepByMode(c, t.index, true, false, false);
        }
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override {
        return Control() ? E_NOTIMPL : CO_E_OBJNOTCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override {
        return Control() ? E_NOTIMPL : CO_E_OBJNOTCONNECTED;
    }
};

namespace {

// A list of child ids handed out as an enumeration (a selection of several items).
struct IdEnum final : IEnumVARIANT {
    LONG refs = 1;
    LONG *ids = nullptr;
    ULONG count = 0;
    ULONG next = 0;

    static IdEnum *Make(ULONG count) {
        auto *e = Create<IdEnum>();
        if (!e) return nullptr;
        e->ids = static_cast<LONG *>(LumAlloc(sizeof(LONG) * (count ? count : 1)));
        if (!e->ids) {
            e->Release();
            return nullptr;
        }
        e->count = count;
        return e;
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void **out) override {
        return Hand<IEnumVARIANT>(this, SameGuid(riid, IID_IEnumVARIANT), riid, out);
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++refs); }
    ULONG STDMETHODCALLTYPE Release() override { return Drop(this); }
    void Free() { LumFree(ids); }
    HRESULT STDMETHODCALLTYPE Next(ULONG wanted, VARIANT *out, ULONG *fetched) override {
        if (!out) return E_POINTER;
        ULONG n = 0;
        for (; n < wanted && next < count; ++n) SetI4(&out[n], ids[next++]);
        if (fetched) *fetched = n;
        return n == wanted ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Skip(ULONG n) override {
        next = n > count - next ? count : next + n;
        return next < count ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Reset() override {
        next = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Clone(IEnumVARIANT **out) override {
        if (!out) return E_POINTER;
        IdEnum *copy = Make(count);
        *out = copy;
        if (!copy) return E_OUTOFMEMORY;
        for (ULONG k = 0; k < count; ++k) copy->ids[k] = ids[k];
        copy->next = next;
        return S_OK;
    }
};

} // namespace

// The selected items: none (VT_EMPTY), one (its id) or several (an enumeration of ids in index
// order). The selected count is kept by the control, so the search stops at the last one.
HRESULT STDMETHODCALLTYPE AccessObject::get_accSelection(VARIANT *selection) {
    if (!selection) return E_POINTER;
    VariantInit(selection);
    const TreeCtl *c = Control();
    if (!c) return CO_E_OBJNOTCONNECTED;
    if (part != Part::Outline) return S_FALSE;
    if (!IsMultiSel(c)) {
        if (!ValidIndex(c, c->selection)) return S_FALSE;
        SetI4(selection, c->selection + 1);
        return S_OK;
    }
    const INT total = c->selectedCount;
    if (total < 1) return S_FALSE;
    IdEnum *list = IdEnum::Make(static_cast<ULONG>(total));
    if (!list) return E_OUTOFMEMORY;
    ULONG n = 0;
    for (INT i = 0; i < c->itemCount && n < list->count; ++i) {
        if (ItemAt(c, i)->flags & kItemSelected) list->ids[n++] = i + 1;
    }
    list->count = n;
    if (n == 1) {
        SetI4(selection, list->ids[0]);
        list->Release();
        return S_OK;
    }
    selection->vt = VT_UNKNOWN;
    selection->punkVal = list;
    return S_OK;
}

// Selection flags through the selection steps (see access.h).
HRESULT STDMETHODCALLTYPE AccessObject::accSelect(LONG flags, VARIANT id) {
    TreeCtl *c;
    Target t;
    if (HRESULT hr = Resolve(id, &c, &t); FAILED(hr)) return hr;
    const bool take = flags & SELFLAG_TAKESELECTION, add = flags & SELFLAG_ADDSELECTION,
               remove = flags & SELFLAG_REMOVESELECTION, extend = flags & SELFLAG_EXTENDSELECTION;
    if ((flags & ~SELFLAG_VALID) || (take && (add || remove || extend)) || (add && remove))
        return E_INVALIDARG;
    if (t.kind != Kind::Item) return flags ? E_INVALIDARG : S_OK;
    const bool multi = IsMultiSel(c);
    if (!multi && (remove || extend)) return E_INVALIDARG;
    const INT i = t.index;
    if ((flags & SELFLAG_TAKEFOCUS) && GetFocus() != c->window) SetFocus(c->window);
    if (!Control()) return S_OK;
    if (take) {
        SelectionStepByMode(c, i, true, false, false);
    } else if (add || remove || extend) {
        if (!multi) {
            SingleSelectionStep(c, i, false, false);
        } else {
            bool select = add;
            if (!add && !remove)
                select = ValidIndex(c, c->anchor) && (ItemAt(c, c->anchor)->flags & kItemSelected);
            MultipleSelectionStep(c, i, select, extend, true);
        }
    } else if (flags & SELFLAG_TAKEFOCUS) {
        CaretStep(c, i);
    }
    return S_OK;
}

// The child under a screen point: an item row, the header bar, the label column or the control
// itself; nothing outside the window.
HRESULT STDMETHODCALLTYPE AccessObject::accHitTest(LONG x, LONG y, VARIANT *hit) {
    if (!hit) return E_POINTER;
    VariantInit(hit);
    const TreeCtl *c = Control();
    if (!c) return CO_E_OBJNOTCONNECTED;
    POINT pt{x, y};
    ScreenToClient(c->window, &pt);
    RECT area = part == Part::Outline  ? ClientRect(c)
                : part == Part::Header ? HeaderBarRect(c)
                : c->showLabels        ? LabelColumnRect(c)
                                       : RECT{};
    if (!PtInRect(&area, pt)) return S_FALSE;
    SetI4(hit, CHILDID_SELF);
    if (part == Part::Header) {
        for (INT col = 0; col < c->columnCount; ++col) {
            RECT cell = ColumnHeaderRect(c, col);
            if (PtInRect(&cell, pt)) SetI4(hit, col + 1);
        }
        return S_OK;
    }
    if (part == Part::Outline) {
        RECT bar = HeaderBarRect(c), labels = c->showLabels ? LabelColumnRect(c) : RECT{};
        Part sub = Part::Outline;
        if (PtInRect(&bar, pt)) sub = Part::Header;
        if (PtInRect(&labels, pt)) sub = Part::Labels;
        if (sub != Part::Outline) {
            AccessObject *object = Sub(sub);
            if (!object) return E_OUTOFMEMORY;
            hit->vt = VT_DISPATCH;
            hit->pdispVal = object;
            return S_OK;
        }
        RECT items = ItemAreaRect(c);
        if (!PtInRect(&items, pt)) return S_OK;
    }
    INT i = ItemOrEndFromPoint(c, pt);
    if (ValidIndex(c, i) && ItemShown(c, i)) SetI4(hit, i + 1);
    return S_OK;
}

bool AccessGetObject(TreeCtl *ctl, WPARAM wp, LPARAM lp, LRESULT *result) {
    if (static_cast<LONG>(lp) != OBJID_CLIENT) return false;
    if (!ctl->access) {
        auto *object = Create<AccessObject>();
        if (!object) return false;
        object->ctl = ctl;
        CreateStdAccessibleObject(ctl->window, OBJID_CLIENT, kIidAccessible,
                                  reinterpret_cast<void **>(&object->standard));
        ctl->access = object;
    }
    LRESULT answer = LresultFromObject(kIidAccessible, wp, ctl->access);
    if (answer <= 0) return false;
    *result = answer;
    return true;
}

void AccessDisconnect(TreeCtl *ctl) {
    AccessEvent(ctl, EVENT_OBJECT_DESTROY, kNone);
    AccessObject *object = ctl->access;
    if (!object) return;
    ctl->access = nullptr;
    object->ctl = nullptr;
    if (object->standard) {
        object->standard->Release();
        object->standard = nullptr;
    }
    // Marshaled references held for clients are let go; a client that still holds the object
    // gets CO_E_OBJNOTCONNECTED from every call.
    CoDisconnectObject(object, 0);
    object->Release();
}
