object FilterForm: TFilterForm
  Left = 140
  Top = 40
  Width = 720
  Height = 640
  Caption = 'Фильтр'
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
    Width = 720
    Height = 22
  end
  object Panel1: TPanel
    Left = 0
    Top = 22
    Width = 720
    Height = 200
    Align = alTop
    object dxCheckEdit1: TdxCheckEdit
      Left = 4
      Top = 4
      Width = 100
      Height = 19
      Caption = 'терр./орг-ция'
    end
    object DBTreeList: TdxDBTreeList
      Left = 110
      Top = 2
      Width = 600
      Height = 194
      Visible = False
      Enabled = False
      KeyField = 'M_RAYON_DEPID'
      ParentField = 'PARENT_ID'
      RootValue = '1'
      OptionsBehavior = [etoAutoDragDrop, etoAutoDragDropCopy, etoAutoSearch, etoAutoSort, etoDragExpand, etoDragScroll, etoEnterShowEditor, etoMultiSelect, etoTabThrough]
      OptionsDB = [etoAutoCalcKeyValue, etoCanDelete, etoCanNavigation, etoCheckHasChildren, etoConfirmDelete, etoLoadAllRecords]
      OptionsView = [etoAutoWidth, etoBandHeaderWidth, etoHotTrack, etoRowSelect, etoUseBitmap, etoUseImageIndexForSelected]
      object DBTreeListColumn2: TdxDBTreeListMaskColumn
        Visible = False
        FieldName = 'M_RAYON_DEPID'
      end
      object DBTreeListColumn1: TdxDBTreeListColumn
        Caption = 'Наименование'
        Width = 425
        FieldName = 'SHORTNAME'
      end
    end
  end
  object Panel2: TPanel
    Left = 0
    Top = 222
    Width = 720
    Height = 170
    Align = alTop
    Color = 15136767
    object dxCheckEdit2: TdxCheckEdit
      Left = 4
      Top = 4
      Width = 100
      Height = 19
      Caption = 'Рег. данные'
    end
    object Panel3: TPanel
      Left = 110
      Top = 2
      Width = 600
      Height = 164
      Visible = False
      Enabled = False
      Color = 15136767
      object dxCheckEdit4: TdxCheckEdit
        Left = 4
        Top = 6
        Width = 90
        Height = 19
        Caption = 'применить'
      end
      object LabeledEdit1: TLabeledEdit
        Left = 160
        Top = 6
        Width = 200
        Height = 21
        EditLabel.Caption = 'фамилия'
        LabelPosition = lpLeft
        OnChange = LabeledEdit1Change
      end
      object ComboBoxEx1: TComboBoxEx
        Left = 370
        Top = 6
        Width = 140
        Height = 21
        Style = csExDropDownList
        Items.Strings = (
          'точное совпадение'
          'начинается с '
          'содержит')
      end
      object dxCheckEdit5: TdxCheckEdit
        Left = 4
        Top = 36
        Width = 90
        Height = 19
        Caption = 'применить'
      end
      object Label1: TLabel
        Left = 100
        Top = 40
        Caption = 'с'
        Visible = False
      end
      object cxSpinEdit1: TcxSpinEdit
        Left = 120
        Top = 36
        Width = 70
        Height = 21
      end
      object Label2: TLabel
        Left = 200
        Top = 40
        Caption = 'по'
        Visible = False
      end
      object cxSpinEdit2: TcxSpinEdit
        Left = 220
        Top = 36
        Width = 70
        Height = 21
      end
      object ComboBoxEx2: TComboBoxEx
        Left = 370
        Top = 36
        Width = 140
        Height = 21
        Style = csExDropDownList
        Items.Strings = (
          'равен'
          'с'
          'в пределах'
          'по')
        OnChange = ComboBoxEx2Change
      end
      object dxCheckEdit6: TdxCheckEdit
        Left = 4
        Top = 66
        Width = 90
        Height = 19
        Caption = 'применить'
      end
      object cxRadioGroup1: TcxRadioGroup
        Left = 100
        Top = 56
        Width = 260
        Height = 40
        Caption = 'пол'
      end
      object dxCheckEdit8: TdxCheckEdit
        Left = 4
        Top = 100
        Width = 90
        Height = 19
        Caption = 'применить'
      end
      object cxExtLookupComboBox1: TcxExtLookupComboBox
        Left = 100
        Top = 100
        Width = 250
        Height = 21
        Hint = 'категория должности'
        ShowHint = True
      end
      object dxCheckEdit10: TdxCheckEdit
        Left = 4
        Top = 130
        Width = 90
        Height = 19
        Caption = 'применить'
      end
      object LabeledEdit2: TLabeledEdit
        Left = 160
        Top = 130
        Width = 200
        Height = 21
        EditLabel.Caption = 'должность'
        LabelPosition = lpLeft
        Hint = 'замещаемая должность'
        ShowHint = True
        OnChange = LabeledEdit2Change
      end
      object ComboBoxEx4: TComboBoxEx
        Left = 370
        Top = 130
        Width = 140
        Height = 21
        Style = csExDropDownList
        Items.Strings = (
          'точное совпадение'
          'начинается с '
          'содержит ')
      end
    end
  end
  object Panel4: TPanel
    Left = 0
    Top = 392
    Width = 720
    Height = 220
    Align = alClient
    Color = 14152959
    object dxCheckEdit3: TdxCheckEdit
      Left = 4
      Top = 4
      Width = 100
      Height = 19
      Caption = 'Обучение'
    end
    object Panel5: TPanel
      Left = 110
      Top = 2
      Width = 600
      Height = 214
      Visible = False
      Enabled = False
      Color = 14152959
      object dxCheckEdit7: TdxCheckEdit
        Left = 4
        Top = 6
        Width = 90
        Height = 19
        Caption = 'применить'
      end
      object Label3: TLabel
        Left = 100
        Top = 10
        Caption = 'с'
        Visible = False
      end
      object cxDateEdit1: TcxDateEdit
        Left = 115
        Top = 6
        Width = 100
        Height = 21
      end
      object Label4: TLabel
        Left = 220
        Top = 10
        Caption = 'по'
        Visible = False
      end
      object cxDateEdit2: TcxDateEdit
        Left = 240
        Top = 6
        Width = 100
        Height = 21
      end
      object ComboBoxEx3: TComboBoxEx
        Left = 370
        Top = 6
        Width = 140
        Height = 21
        Style = csExDropDownList
        Items.Strings = (
          'равен'
          'с'
          'в пределах'
          'по')
        OnChange = ComboBoxEx3Change
      end
      object CheckBoxMaxDate: TCheckBox
        Left = 100
        Top = 30
        Width = 200
        Height = 17
        Caption = 'по последнему пройденному'
      end
      object dxCheckEdit9: TdxCheckEdit
        Left = 4
        Top = 52
        Width = 90
        Height = 19
        Caption = 'применить'
      end
      object cxExtLookupComboBox2: TcxExtLookupComboBox
        Left = 100
        Top = 52
        Width = 400
        Height = 21
      end
      object dxCheckEdit11: TdxCheckEdit
        Left = 4
        Top = 78
        Width = 90
        Height = 19
        Caption = 'применить'
      end
      object cxExtLookupComboBox3: TcxExtLookupComboBox
        Left = 100
        Top = 78
        Width = 250
        Height = 21
      end
      object dxCheckEdit12: TdxCheckEdit
        Left = 4
        Top = 104
        Width = 90
        Height = 19
        Caption = 'применить'
      end
      object cxExtLookupComboBox4: TcxExtLookupComboBox
        Left = 100
        Top = 104
        Width = 250
        Height = 21
      end
      object dxCheckEdit13: TdxCheckEdit
        Left = 4
        Top = 130
        Width = 90
        Height = 19
        Caption = 'применить'
      end
      object LabeledEdit3: TLabeledEdit
        Left = 160
        Top = 130
        Width = 200
        Height = 21
        EditLabel.Caption = 'программа'
        LabelPosition = lpLeft
        OnChange = LabeledEdit3Change
      end
      object ComboBoxEx5: TComboBoxEx
        Left = 370
        Top = 130
        Width = 140
        Height = 21
        Style = csExDropDownList
        Items.Strings = (
          'точное совпадение'
          'начинается с '
          'содержит ')
      end
      object dxCheckEdit14: TdxCheckEdit
        Left = 4
        Top = 156
        Width = 90
        Height = 19
        Caption = 'применить'
      end
      object LabeledEdit4: TLabeledEdit
        Left = 160
        Top = 156
        Width = 200
        Height = 21
        EditLabel.Caption = 'уч. план'
        LabelPosition = lpLeft
        OnChange = LabeledEdit4Change
      end
      object ComboBoxEx6: TComboBoxEx
        Left = 370
        Top = 156
        Width = 140
        Height = 21
        Style = csExDropDownList
        Items.Strings = (
          'точное совпадение'
          'начинается с '
          'содержит ')
      end
      object dxCheckEdit15: TdxCheckEdit
        Left = 4
        Top = 182
        Width = 90
        Height = 19
        Caption = 'применить'
      end
      object LabeledEdit5: TLabeledEdit
        Left = 160
        Top = 182
        Width = 200
        Height = 21
        EditLabel.Caption = 'примеч.'
        LabelPosition = lpLeft
        OnChange = LabeledEdit5Change
      end
      object ComboBoxEx7: TComboBoxEx
        Left = 370
        Top = 182
        Width = 140
        Height = 21
        Style = csExDropDownList
        Items.Strings = (
          'точное совпадение'
          'начинается с '
          'содержит ')
      end
    end
  end
  object ActionManager1: TActionManager
    ActionBars = <
      item
        Items = <
          item
            Action = AApplyFilter
          end
          item
            Action = ACancelFilter
          end>
        ActionBar = ActionMainMenuBar1
      end>
    object AApplyFilter: TAction
      Caption = 'Установить'
      Hint = 'Установить фильтр'
      OnExecute = AApplyFilterExecute
    end
    object ACancelFilter: TAction
      Caption = 'Снять'
      Hint = 'Снять фильтр'
      OnExecute = ACancelFilterExecute
    end
  end
end
