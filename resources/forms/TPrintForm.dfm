object PrintForm: TPrintForm
  Left = 80
  Top = 60
  Width = 900
  Height = 600
  Caption = 'Печать списка с дополнительными атрибутами'
  Color = clBtnFace
  Font.Name = 'MS Sans Serif'
  Font.Height = -11
  Position = poScreenCenter
  OnCreate = FormCreate
  OnClose = FormClose
  object ToolBar1: TToolBar
    Flat = True
    Height = 26
    ShowCaptions = True
    ShowHint = True
    object ToolButton1: TToolButton
      Caption = 'Закрыть'
      Hint = 'Закрыть'
      OnClick = ToolButton1Click
    end
    object ToolButton2: TToolButton
      Style = tbsSeparator
      Width = 8
    end
    object ToolButton3: TToolButton
      Caption = 'Сформировать список'
      Hint = 'Сформировать список'
      OnClick = ToolButton3Click
    end
    object ToolButton4: TToolButton
      Caption = 'Печать списка'
      Hint = 'Печать списка'
      OnClick = ToolButton4Click
    end
  end
  object GroupBox1: TGroupBox
    Height = 120
    Align = alTop
    Caption = 'Регистрационные данные'
    TabOrder = 1
    object CheckBox1: TCheckBox
      Left = 8
      Top = 18
      Width = 200
      Height = 17
      Hint = 'Включить в список печать набора опций фильтра'
      Caption = 'Включить опции фильтра'
      ShowHint = True
      TabOrder = 0
      OnClick = CheckBox1Click
    end
    object CheckListBox1: TCheckListBox
      Left = 216
      Top = 16
      Width = 460
      Height = 96
      Columns = 2
      Items.Strings = (
        'Фамилия'
        'Имя'
        'Отчество'
        'дата рождения'
        'возраст'
        'пол'
        'замещ. должность'
        'категория служащего'
        'место работы'
        'место дислокации')
      TabOrder = 1
      OnClickCheck = CheckListBox1ClickCheck
    end
  end
  object dxDBGridPrintList: TdxDBGrid
    Align = alClient
    TabOrder = 0
    KeyField = 'O_PEOPLEID'
    OptionsBehavior = [edgoDragScroll, edgoEnterShowEditor, edgoImmediateEditor, edgoTabThrough, edgoVertThrough]
    OptionsDB = [edgoCancelOnExit, edgoCanNavigation, edgoConfirmDelete, edgoUseBookmarks]
    OptionsView = [edgoAutoWidth, edgoBandHeaderWidth, edgoUseBitmap]
    object dxDBGridPrintListO_PEOPLEID: TdxDBGridMaskColumn
      Visible = False
      FieldName = 'O_PEOPLEID'
    end
    object dxDBGridPrintListFSTNAME: TdxDBGridColumn
      FieldName = 'FSTNAME'
    end
    object dxDBGridPrintListSECNAME: TdxDBGridColumn
      FieldName = 'SECNAME'
    end
    object dxDBGridPrintListLASTNAME: TdxDBGridColumn
      FieldName = 'LASTNAME'
    end
    object dxDBGridPrintListSEXNAME: TdxDBGridColumn
      Visible = False
      FieldName = 'SEXNAME'
    end
    object dxDBGridPrintListBIRTHDATE: TdxDBGridDateColumn
      Visible = False
      FieldName = 'BIRTHDATE'
    end
    object dxDBGridPrintListAGE: TdxDBGridMaskColumn
      Visible = False
      FieldName = 'AGE'
    end
    object dxDBGridPrintListDOLGNAME: TdxDBGridColumn
      Visible = False
      FieldName = 'DOLGNAME'
    end
    object dxDBGridPrintListKATNAME: TdxDBGridColumn
      Visible = False
      FieldName = 'KATNAME'
    end
    object dxDBGridPrintListR_NAME: TdxDBGridColumn
      Visible = False
      FieldName = 'R_NAME'
    end
    object dxDBGridPrintListD_NAME: TdxDBGridColumn
      Visible = False
      FieldName = 'D_NAME'
    end
  end
end
