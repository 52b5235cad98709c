object SpravForm: TSpravForm
  Left = 100
  Top = 60
  Width = 760
  Height = 580
  Caption = 'Справочники'
  Color = clBtnFace
  Font.Name = 'MS Sans Serif'
  Font.Height = -11
  Position = poScreenCenter
  OnClose = FormClose
  OnCreate = FormCreate
  OnShow = FormShow
  object ActionMainMenuBar1: TActionMainMenuBar
    Left = 0
    Top = 0
    Width = 760
    Height = 22
  end
  object PageControl1: TPageControl
    Align = alClient
    ActivePage = TabSheet1
    object TabSheet1: TTabSheet
      Caption = 'Учебные заведения'
      object ToolBar1: TToolBar
        Flat = True
        Height = 26
        ShowHint = True
        object DBNavigator1: TDBNavigator
          Width = 240
          Height = 22
          Flat = True
        end
        object ToolButton4: TToolButton
          Caption = 'Синонимы'
          Hint = 'Синонимы'
          OnClick = ToolButton4Click
        end
      end
      object CollageDBGrid: TdxDBGrid
        Align = alClient
        TabOrder = 0
        KeyField = 'M_COLLAGEID'
        OptionsView = [edgoAutoWidth, edgoBandHeaderWidth, edgoRowSelect, edgoUseBitmap]
        object CollageDBGridNAME: TdxDBGridColumn
          Caption = 'наименование'
          FieldName = 'NAME'
        end
      end
      object Splitter1: TSplitter
        Align = alBottom
        Height = 4
      end
      object Panel1: TPanel
        Align = alBottom
        Height = 170
        BevelOuter = bvNone
        object DBNavigator2: TDBNavigator
          Left = 0
          Top = 0
          Width = 240
          Height = 22
          Flat = True
        end
        object DBGrid4: TDBGrid
          Left = 0
          Top = 24
          Width = 740
          Height = 146
          Columns = <
            item
              FieldName = 'DOGOVOR_NUM'
              Width = 300
              Title.Caption = 'Договор о сотрудничестве'
            end
            item
              ButtonStyle = cbsEllipsis
              FieldName = 'DATEBEGIN'
              Width = 120
              Title.Caption = 'С'
            end
            item
              ButtonStyle = cbsEllipsis
              FieldName = 'DATEFINISH'
              Width = 120
              Title.Caption = 'ПО'
            end>
          OnEditButtonClick = DBGrid4EditButtonClick
        end
      end
    end
    object TabSheet2: TTabSheet
      Caption = 'Территориальная привязка'
      object Panel2: TPanel
        Align = alTop
        Height = 32
        BevelOuter = bvNone
        object cxButton1: TcxButton
          Left = 4
          Top = 4
          Width = 110
          Height = 24
          Caption = 'Территория'
          Hint = 'Добавить/Удалить территорию'
          ShowHint = True
          Kind = cxbkDropDown
          DropDownMenu = PopupMenu1
        end
        object cxButton2: TcxButton
          Left = 118
          Top = 4
          Width = 110
          Height = 24
          Caption = 'Организация'
          Hint = 'Добавить/Удалить организацию'
          ShowHint = True
          Kind = cxbkDropDown
          DropDownMenu = PopupMenu2
        end
        object cxButton3: TcxButton
          Left = 232
          Top = 4
          Width = 90
          Height = 24
          Caption = 'Обновить'
          OnClick = cxButton3Click
        end
      end
      object dxDBInspector1: TdxDBInspector
        Align = alBottom
        Height = 150
        DefaultFields = False
        DividerPos = 160
        object dxDBInspector1LONGNAME: TdxInspectorDBMemoRow
          FieldName = 'LONGNAME'
        end
        object dxDBInspector1M_VIDDEP_NAME: TdxInspectorLookupRow
          FieldName = 'M_VIDDEP_NAME'
          ListFieldName = 'NAME'
        end
        object dxDBInspector1SHORTNAME: TdxInspectorDBMemoRow
          FieldName = 'SHORTNAME'
        end
      end
      object DBTreeList: TdxDBTreeList
        Align = alClient
        TabOrder = 0
        KeyField = 'M_RAYON_DEPID'
        ParentField = 'PARENT_ID'
        RootValue = '1'
        OptionsBehavior = [etoAutoDragDrop, etoAutoDragDropCopy, etoAutoSort, etoDragExpand, etoDragScroll, etoEditing, etoEnterShowEditor, etoMultiSelect, etoTabThrough]
        OptionsDB = [etoAutoCalcKeyValue, etoCanDelete, etoCanInsert, etoCanNavigation, etoCheckHasChildren, etoConfirmDelete, etoLoadAllRecords]
        OptionsView = [etoBandHeaderWidth, etoUseBitmap]
        object DBTreeListSHORTNAME: TdxDBTreeListColumn
          Caption = 'Наименование'
          FieldName = 'SHORTNAME'
        end
        object DBTreeListM_RAYON_DEPID: TdxDBTreeListMaskColumn
          Visible = False
          FieldName = 'M_RAYON_DEPID'
        end
      end
    end
    object TabSheet3: TTabSheet
      Caption = 'Категория замещ. должности'
      object DBNavigator3: TDBNavigator
        Align = alTop
        Height = 22
        Flat = True
      end
      object DBGrid1: TDBGrid
        Align = alClient
        Columns = <
          item
            FieldName = 'NAME'
            Width = 500
            Title.Caption = 'Наименование'
          end>
      end
    end
    object TabSheet4: TTabSheet
      Caption = 'Прочие'
      object GroupBox1: TGroupBox
        Left = 4
        Top = 4
        Width = 360
        Height = 220
        Caption = 'Оценки'
        object DBNavigator4: TDBNavigator
          Left = 8
          Top = 18
          Width = 240
          Height = 22
          Flat = True
        end
        object AssessDBGrid: TdxDBGrid
          Left = 8
          Top = 44
          Width = 344
          Height = 168
          KeyField = 'M_ASSESSID'
          OptionsView = [edgoAutoWidth, edgoBandHeaderWidth, edgoRowSelect, edgoUseBitmap]
          object AssessDBGridM_ASSESSNAME: TdxDBGridColumn
            Caption = 'наименование'
            FieldName = 'M_ASSESSNAME'
          end
        end
      end
      object GroupBox2: TGroupBox
        Left = 372
        Top = 4
        Width = 360
        Height = 220
        Caption = 'пол'
        object ToolBar2: TToolBar
          Flat = True
          Height = 26
          ShowHint = True
          object DBNavigator5: TDBNavigator
            Width = 240
            Height = 22
            Flat = True
          end
          object ToolButton6: TToolButton
            Caption = 'Синонимы'
            Hint = 'Синонимы'
            OnClick = ToolButton6Click
          end
        end
        object SexDBGrid: TdxDBGrid
          Left = 8
          Top = 48
          Width = 344
          Height = 164
          KeyField = 'M_SEXID'
          OptionsView = [edgoAutoWidth, edgoBandHeaderWidth, edgoRowSelect, edgoUseBitmap]
          object SexDBGridNAME: TdxDBGridColumn
            FieldName = 'NAME'
          end
        end
      end
      object GroupBox3: TGroupBox
        Left = 4
        Top = 230
        Width = 728
        Height = 220
        Caption = 'Вид пройденного обучения'
        object ToolBar3: TToolBar
          Flat = True
          Height = 26
          ShowHint = True
          object DBNavigator6: TDBNavigator
            Width = 240
            Height = 22
            Flat = True
          end
          object ToolButton1: TToolButton
            Caption = 'Синонимы'
            Hint = 'Синонимы'
            OnClick = ToolButton1Click
          end
        end
        object KatEduDBGrid: TdxDBGrid
          Left = 8
          Top = 48
          Width = 712
          Height = 164
          KeyField = 'M_KATEDUID'
          OptionsView = [edgoAutoWidth, edgoBandHeaderWidth, edgoRowSelect, edgoUseBitmap]
          object KatEduDBGridM_KATEDUNAME: TdxDBGridColumn
            Caption = 'наименование'
            FieldName = 'M_KATEDUNAME'
          end
        end
      end
    end
  end
  object PopupMenu1: TPopupMenu
    object N1: TMenuItem
      Action = AAddTerritory
    end
    object N2: TMenuItem
      Action = ADelTerritory
    end
  end
  object PopupMenu2: TPopupMenu
    object N3: TMenuItem
      Action = AAddDep
    end
    object N4: TMenuItem
      Action = ADelDep
    end
  end
  object PopupMenu3: TPopupMenu
    object N5: TMenuItem
      Caption = 'территория'
      object N6: TMenuItem
        Action = AAddTerritory
      end
      object N7: TMenuItem
        Action = ADelTerritory
      end
    end
    object N8: TMenuItem
      Caption = 'организация'
      object N9: TMenuItem
        Action = AAddDep
      end
      object N10: TMenuItem
        Action = ADelDep
      end
    end
    object N11: TMenuItem
      Caption = '-'
    end
    object N13: TMenuItem
      Caption = 'Синонимы'
      OnClick = N13Click
    end
  end
  object ActionManager1: TActionManager
    ActionBars = <
      item
        Items = <
          item
            Action = ACloseSprav
          end>
        ActionBar = ActionMainMenuBar1
      end>
    object ACloseSprav: TAction
      Caption = 'Закрыть'
      Hint = 'Закрыть'
      OnExecute = ACloseSpravExecute
    end
    object AAddTerritory: TAction
      Caption = 'Добавить'
      Hint = 'Добавить территорию'
      OnExecute = AAddTerritoryExecute
    end
    object ADelTerritory: TAction
      Caption = 'Удалить'
      Hint = 'Удалить территорию'
      OnExecute = ADelTerritoryExecute
    end
    object AAddDep: TAction
      Caption = 'Добавить'
      Hint = 'Добавить организацию'
      OnExecute = AAddDepExecute
    end
    object ADelDep: TAction
      Caption = 'Удалить'
      Hint = 'Удалить организацию'
      OnExecute = ADelDepExecute
    end
  end
end
