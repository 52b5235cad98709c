object TransferForm: TTransferForm
  Left = 100
  Top = 80
  Width = 900
  Height = 560
  Caption = 'Прием данных с периферийных источников'
  Color = clBtnFace
  Font.Name = 'MS Sans Serif'
  Font.Height = -11
  Position = poScreenCenter
  OnCreate = FormCreate
  OnClose = FormClose
  OnCloseQuery = FormCloseQuery
  object ActionToolBar1: TActionToolBar
    Align = alTop
    ShowHint = True
  end
  object Label1: TLabel
    Left = 0
    Top = 26
    Width = 900
    Height = 36
    Align = alTop
    Alignment = taCenter
    AutoSize = False
    ParentFont = False
    Font.Name = 'MS Sans Serif'
    Font.Height = -13
    Font.Style = [fsBold]
    WordWrap = True
  end
  object BufferListDBGrid: TdxDBGrid
    Align = alClient
    TabOrder = 0
    Visible = False
    KeyField = 'BUFFERID'
    OptionsView = [edgoAutoWidth, edgoBandHeaderWidth, edgoUseBitmap]
    object BufferListDBGridN: TdxDBGridMaskColumn
      FieldName = 'N'
    end
    object BufferListDBGridFSTNAME: TdxDBGridColumn
      FieldName = 'FSTNAME'
    end
    object BufferListDBGridSECNAME: TdxDBGridColumn
      FieldName = 'SECNAME'
    end
    object BufferListDBGridLASTNAME: TdxDBGridColumn
      FieldName = 'LASTNAME'
    end
    object BufferListDBGridSEX: TdxDBGridColumn
      FieldName = 'SEX'
    end
    object BufferListDBGridBIRTHDATE: TdxDBGridDateColumn
      FieldName = 'BIRTHDATE'
    end
    object BufferListDBGridDOLGNAME: TdxDBGridColumn
      FieldName = 'DOLGNAME'
    end
    object BufferListDBGridDEPNAME: TdxDBGridColumn
      FieldName = 'DEPNAME'
    end
    object BufferListDBGridVIDEDUNAME: TdxDBGridColumn
      FieldName = 'VIDEDUNAME'
    end
    object BufferListDBGridPROGNAME: TdxDBGridColumn
      FieldName = 'PROGNAME'
    end
    object BufferListDBGridDATEFINISH: TdxDBGridDateColumn
      FieldName = 'DATEFINISH'
    end
    object BufferListDBGridNOTE: TdxDBGridColumn
      FieldName = 'NOTE'
    end
    object BufferListDBGridBUFFERID: TdxDBGridColumn
      Visible = False
      FieldName = 'BUFFERID'
    end
  end
  object Panel1: TPanel
    Height = 44
    Align = alBottom
    BevelOuter = bvNone
    TabOrder = 1
    object LabeledEdit1: TLabeledEdit
      Left = 56
      Top = 12
      Width = 80
      Height = 21
      EditLabel.Caption = 'Всего'
      LabelPosition = lpLeft
      ReadOnly = True
      TabOrder = 0
    end
  end
  object ActionManager1: TActionManager
    ActionBars = <
      item
        Items = <
          item
            Action = AClose
          end
          item
            Action = FileOpen1
          end
          item
            Action = AContinue
          end
          item
            Action = AAddData
          end>
        ActionBar = ActionToolBar1
      end>
    object AClose: TAction
      Caption = 'Закрыть'
      Hint = 'Закрыть'
      OnExecute = ACloseExecute
    end
    object FileOpen1: TFileOpen
      Caption = '&Open...'
      Hint = 'Открыть|Открыть файл-источник данных'
      ShortCut = 16463
      Dialog.DefaultExt = 'xls'
      Dialog.Filter = 'Excel|*.xls'
      BeforeExecute = FileOpen1BeforeExecute
      OnAccept = FileOpen1Accept
    end
    object AContinue: TAction
      Caption = 'Продолжить'
      Hint = 'Продолжить закачку данных'
      OnExecute = AContinueExecute
    end
    object AAddData: TAction
      Caption = 'Импортировать'
      Enabled = False
      Hint = 'Импортировать|Импортировать данные из буфера в базу данных'
      ShortCut = 16457
      OnExecute = AAddDataExecute
    end
  end
end
