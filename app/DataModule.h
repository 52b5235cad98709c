// The application's data module: the one connection, the shared datasets with their statements and
// persistent fields, the scratch query and command, the parts of the people list's statement that
// the filter recombines, and the login name of the current user.
#pragma once

#include "platform/ado/ADODB.h"
#include "platform/data/ClientDataSet.h"
#include "platform/data/DataSource.h"
#include "platform/data/Provider.h"
#include "platform/forms/DataModule.h"

class TDataModule2 : public TDataModule {
  TRENVIK_CLASS(TDataModule2, TDataModule);

 public:
  // Makes the components; AfterConstruction then runs the creation event (DataModuleCreate).
  explicit TDataModule2(TComponent* AOwner);

  TADOConnection* ADOConnection1 = nullptr;

  TADODataSet* OPEOPLE_LIST = nullptr;
  TADODataSet* O_PEOPLE = nullptr;
  TADODataSet* O_EDU = nullptr;
  TADODataSet* M_DEP = nullptr;
  TADODataSet* M_DEP_INFILTER = nullptr;
  TADODataSet* M_RAYON_DEP = nullptr;
  TADODataSet* M_VIDDEP = nullptr;
  TADODataSet* M_KAT = nullptr;
  TADODataSet* M_SEX = nullptr;
  TADODataSet* M_COLLAGE = nullptr;
  TADODataSet* M_ASSESS = nullptr;
  TADODataSet* M_KATEDU = nullptr;
  TADODataSet* O_COLLAGE_DOGOVOR = nullptr;
  TADODataSet* M_KATEDUSYNONYM = nullptr;
  TADODataSet* M_COLLAGESYNONYM = nullptr;
  TADODataSet* M_DEPSYNONYM = nullptr;
  TADODataSet* M_SEXSYNONYM = nullptr;
  TADODataSet* PrintList = nullptr;
  TADODataSet* BUFFER = nullptr;
  TADODataSet* Doubles = nullptr;
  TDataSetProvider* DataSetProvider1 = nullptr;
  TClientDataSet* PeopleSeek = nullptr;
  TADOQuery* Q = nullptr;
  TADOCommand* ADOCommand1 = nullptr;
  TADOStoredProc* GetFullParentName = nullptr;

  TDataSource* OPEOPLE_LIST_DS = nullptr;
  TDataSource* O_PEOPLE_DS = nullptr;
  TDataSource* O_EDU_DS = nullptr;
  TDataSource* MDEP_DS = nullptr;
  TDataSource* M_DEP_INFILTER_DS = nullptr;
  TDataSource* M_RAYON_DEP_DS = nullptr;
  TDataSource* M_VIDDEP_DS = nullptr;
  TDataSource* M_KAT_DS = nullptr;
  TDataSource* M_SEX_DS = nullptr;
  TDataSource* M_COLLAGE_DS = nullptr;
  TDataSource* M_ASSESS_DS = nullptr;
  TDataSource* M_KATEDU_DS = nullptr;
  TDataSource* O_COLLAGE_DOGOVOR_DS = nullptr;
  TDataSource* M_KATEDUSYNONYM_DS = nullptr;
  TDataSource* M_COLLAGESYNONYM_DS = nullptr;
  TDataSource* M_DEPSYNONYM_DS = nullptr;
  TDataSource* M_SEXSYNONYM_DS = nullptr;
  TDataSource* PrintList_DS = nullptr;
  TDataSource* BUFFER_DS = nullptr;
  TDataSource* Doubles_DS = nullptr;
  TDataSource* PeopleSeek_DS = nullptr;

  // The people list's statement cut for the filter; set once at creation.
  String BaseSelect;
  String BaseWhere;
  String BaseOrderBy;
  // The login of the connection; filled once a connection has been made.
  String UserName;
  // Set by the reference window just before it inserts a node into M_DEP.
  Variant NewNodeParentId;
  Variant NewNodeKind;

  // Event handlers.
  void DataModuleCreate(TObject* Sender);
  void O_PEOPLEBeforeOpen(TDataSet* DataSet);
  void O_PEOPLECalcFields(TDataSet* DataSet);
  void O_EDUNewRecord(TDataSet* DataSet);
  void OPEOPLE_LISTAfterOpen(TDataSet* DataSet);
  void OPEOPLE_LISTNewRecord(TDataSet* DataSet);
  void OPEOPLE_LISTAfterInsert(TDataSet* DataSet);
  void M_DEPNewRecord(TDataSet* DataSet);
  void M_DEPAfterScroll(TDataSet* DataSet);
  void PrintListBeforeOpen(TDataSet* DataSet);
  void PrintListCalcFields(TDataSet* DataSet);
  void BUFFERBeforeOpen(TDataSet* DataSet);
  void BUFFERAfterOpen(TDataSet* DataSet);

 private:
  void CreateConnection();
  void CreateDataSets();
  void CreateFields();
  void WireEvents();
  void ADOConnection1AfterConnect(TObject* Sender);
  // R_NAME and D_NAME of the current record from its place of work; NameColumn is SHORTNAME for
  // the card, LONGNAME for the print list.
  void CalcPlaceOfWork(TDataSet* DataSet, const char16_t* NameColumn);
};

extern TDataModule2* DataModule2;

// The texts the data module shows.
inline constexpr const char16_t* kConnectErrorText = u"Ошибка подключения к базе данных";
inline constexpr const char16_t* kCancelCaption = u"Отмена операции";
inline constexpr const char16_t* kEduNeedsCardText = u"Сначала заполните для новой записи рег. данные";
