// The drag source of Zelko Filer through its COM interfaces, as a drop target and the
// platform's drag loop use it: interfaces, the drag loop's questions, the one format offered,
// the DROPFILES block handed out, replacing the data and the enumerator's steps.
#include "viewer/filer/file_drop_source_win.h"

#include <gtest/gtest.h>
#include <shellapi.h>

#include <cstring>
#include <string>

namespace {

constexpr char kPath[] = "C:\\フォルダ\\ソフト表.txt";  // trail bytes 0x5C inside

FORMATETC Format(CLIPFORMAT format = CF_HDROP, DWORD tymed = TYMED_HGLOBAL, DWORD aspect = DVASPECT_CONTENT) {
  return FORMATETC{format, nullptr, aspect, -1, tymed};
}

class DropSourceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    win::GlobalMemory data = MakeDropFiles(kPath);
    ASSERT_TRUE(data);
    source_ = new FileDropSource(data.Take(), true);
    ASSERT_EQ(source_->QueryInterface(IID_IDataObject, reinterpret_cast<void**>(&data_)), S_OK);
  }
  void TearDown() override {
    if (data_) {
      EXPECT_EQ(data_->Release(), 0u);  // the last reference destroys the object
    }
  }
  FileDropSource* source_ = nullptr;
  IDataObject* data_ = nullptr;
};

TEST_F(DropSourceTest, InterfacesShareOneObject) {
  IUnknown* unknown = nullptr;
  IDropSource* drop = nullptr;
  ASSERT_EQ(data_->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unknown)), S_OK);
  ASSERT_EQ(data_->QueryInterface(IID_IDropSource, reinterpret_cast<void**>(&drop)), S_OK);
  EXPECT_EQ(static_cast<void*>(unknown), static_cast<void*>(drop));
  void* other = reinterpret_cast<void*>(1);
  EXPECT_EQ(data_->QueryInterface(IID_IStream, &other), E_NOINTERFACE);
  EXPECT_EQ(other, nullptr);
  EXPECT_EQ(unknown->Release(), 2u);
  EXPECT_EQ(drop->Release(), 1u);
}

TEST_F(DropSourceTest, DragLoopQuestions) {
  IDropSource* drop = static_cast<IDropSource*>(source_);
  EXPECT_EQ(drop->QueryContinueDrag(TRUE, MK_LBUTTON), DRAGDROP_S_CANCEL);
  EXPECT_EQ(drop->QueryContinueDrag(FALSE, MK_LBUTTON), S_OK);
  EXPECT_EQ(drop->QueryContinueDrag(FALSE, MK_RBUTTON), S_OK);
  EXPECT_EQ(drop->QueryContinueDrag(FALSE, 0), DRAGDROP_S_DROP);
  EXPECT_EQ(drop->GiveFeedback(DROPEFFECT_COPY), DRAGDROP_S_USEDEFAULTCURSORS);
}

TEST_F(DropSourceTest, OffersOnlyAFileListInGlobalMemory) {
  FORMATETC ok = Format(CF_HDROP, TYMED_HGLOBAL | TYMED_ISTREAM);
  EXPECT_EQ(data_->QueryGetData(&ok), S_OK);
  FORMATETC text = Format(CF_TEXT);
  FORMATETC stream = Format(CF_HDROP, TYMED_ISTREAM);
  FORMATETC icon = Format(CF_HDROP, TYMED_HGLOBAL, DVASPECT_ICON);
  EXPECT_EQ(data_->QueryGetData(&text), DV_E_FORMATETC);
  EXPECT_EQ(data_->QueryGetData(&stream), DV_E_FORMATETC);
  EXPECT_EQ(data_->QueryGetData(&icon), DV_E_FORMATETC);
  STGMEDIUM medium{};
  EXPECT_EQ(data_->GetData(&text, &medium), DV_E_FORMATETC);
  EXPECT_EQ(data_->GetDataHere(&ok, &medium), E_NOTIMPL);
  FORMATETC canonical{};
  EXPECT_EQ(data_->GetCanonicalFormatEtc(&ok, &canonical), E_NOTIMPL);
  DWORD connection = 0;
  EXPECT_EQ(data_->DAdvise(&ok, 0, nullptr, &connection), E_NOTIMPL);
  EXPECT_EQ(data_->DUnadvise(0), E_NOTIMPL);
  IEnumSTATDATA* advises = nullptr;
  EXPECT_EQ(data_->EnumDAdvise(&advises), E_NOTIMPL);
}

TEST_F(DropSourceTest, GetDataHandsOutTheDropFilesAndReleasesTheObjectNotTheMemory) {
  FORMATETC format = Format();
  STGMEDIUM medium{};
  ASSERT_EQ(data_->GetData(&format, &medium), S_OK);
  EXPECT_EQ(medium.tymed, DWORD(TYMED_HGLOBAL));
  EXPECT_EQ(medium.pUnkForRelease, static_cast<IUnknown*>(static_cast<IDropSource*>(source_)));
  const size_t length = std::strlen(kPath);
  EXPECT_EQ(GlobalSize(medium.hGlobal), sizeof(DROPFILES) + length + 2);
  {
    win::GlobalLockScope<char> lock(medium.hGlobal);
    const auto* drop = reinterpret_cast<const DROPFILES*>(lock.data());
    EXPECT_EQ(drop->pFiles, 20u);
    EXPECT_EQ(drop->pt.x, 0);
    EXPECT_EQ(drop->pt.y, 0);
    EXPECT_TRUE(drop->fNC);
    EXPECT_FALSE(drop->fWide);
    EXPECT_EQ(std::string(lock.data() + 20, length + 2), std::string(kPath) + '\0' + '\0');
  }
  // The shell reads it as a one-file list.
  char name[MAX_PATH] = {};
  EXPECT_EQ(DragQueryFileA(HDROP(medium.hGlobal), 0xFFFFFFFF, nullptr, 0), 1u);
  DragQueryFileA(HDROP(medium.hGlobal), 0, name, sizeof name);
  EXPECT_STREQ(name, kPath);
  HGLOBAL memory = medium.hGlobal;
  ReleaseStgMedium(&medium);  // releases the added reference
  EXPECT_NE(GlobalSize(memory), 0u) << "the memory is still the object's";
  EXPECT_EQ(data_->AddRef(), 2u);
  EXPECT_EQ(data_->Release(), 1u);
}

TEST_F(DropSourceTest, SetDataReplacesTheBlock) {
  win::GlobalMemory other = MakeDropFiles("D:\\x");
  FORMATETC format = Format();
  STGMEDIUM medium{};
  medium.tymed = TYMED_HGLOBAL;
  medium.hGlobal = other.get();
  FORMATETC text = Format(CF_TEXT);
  EXPECT_EQ(data_->SetData(&text, &medium, FALSE), DV_E_FORMATETC);
  ASSERT_EQ(data_->SetData(&format, &medium, FALSE), S_OK);  // not owned: the caller keeps it
  STGMEDIUM out{};
  ASSERT_EQ(data_->GetData(&format, &out), S_OK);
  EXPECT_EQ(out.hGlobal, other.get());
  ReleaseStgMedium(&out);
}

TEST_F(DropSourceTest, EnumeratorListsExactlyOneFormat) {
  IEnumFORMATETC* formats = nullptr;
  ASSERT_EQ(data_->EnumFormatEtc(DATADIR_SET, &formats), S_OK);
  FORMATETC format{};
  ULONG fetched = 7;
  EXPECT_EQ(formats->Next(0, &format, &fetched), S_OK);
  EXPECT_EQ(fetched, 0u);
  ASSERT_EQ(formats->Next(1, &format, &fetched), S_OK);
  EXPECT_EQ(fetched, 1u);
  EXPECT_EQ(format.cfFormat, CF_HDROP);
  EXPECT_EQ(format.ptd, nullptr);
  EXPECT_EQ(format.dwAspect, DWORD(DVASPECT_CONTENT));
  EXPECT_EQ(format.lindex, -1);
  EXPECT_EQ(format.tymed, DWORD(TYMED_HGLOBAL));
  EXPECT_EQ(formats->Next(1, &format, nullptr), S_FALSE);
  EXPECT_EQ(formats->Reset(), S_OK);
  EXPECT_EQ(formats->Skip(1), S_OK);
  EXPECT_EQ(formats->Next(1, &format, nullptr), S_FALSE);
  EXPECT_EQ(formats->Reset(), S_OK);
  EXPECT_EQ(formats->Skip(2), S_FALSE);
  IEnumFORMATETC* clone = nullptr;
  ASSERT_EQ(formats->Clone(&clone), S_OK);
  EXPECT_EQ(clone->Next(1, &format, nullptr), S_FALSE);  // at the same position
  EXPECT_EQ(clone->Reset(), S_OK);
  EXPECT_EQ(clone->Next(1, &format, nullptr), S_OK);
  IUnknown* unknown = nullptr;
  EXPECT_EQ(clone->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unknown)), S_OK);
  EXPECT_EQ(unknown->Release(), 1u);
  void* other = nullptr;
  EXPECT_EQ(clone->QueryInterface(IID_IDataObject, &other), E_NOINTERFACE);
  EXPECT_EQ(clone->Release(), 0u);
  EXPECT_EQ(formats->Release(), 0u);
}

}  // namespace
