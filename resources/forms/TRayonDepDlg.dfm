object RayonDepDlg: TRayonDepDlg
  Left = 250
  Top = 120
  BorderStyle = bsDialog
  Caption = 'Выбор'
  ClientHeight = 480
  ClientWidth = 520
  Color = clBtnFace
  Font.Name = 'MS Sans Serif'
  Font.Height = -11
  Position = poScreenCenter
  OnCreate = FormCreate
  OnClose = FormClose
  object Label2: TLabel
    Height = 36
    Align = alTop
    AutoSize = False
    ParentFont = False
    Font.Name = 'MS Sans Serif'
    Font.Height = -11
    Font.Style = [fsBold]
    WordWrap = True
  end
  object Panel1: TPanel
    Height = 41
    Align = alBottom
    BevelOuter = bvNone
    TabOrder = 1
    object OKBtn: TButton
      Left = 272
      Top = 8
      Width = 75
      Height = 25
      Caption = 'OK'
      Default = True
      ModalResult = 1
      TabOrder = 0
    end
    object SkipBtn: TButton
      Left = 353
      Top = 8
      Width = 75
      Height = 25
      Caption = 'Пропустить'
      ModalResult = 5
      TabOrder = 1
    end
    object CancelBtn: TButton
      Left = 434
      Top = 8
      Width = 75
      Height = 25
      Cancel = True
      Caption = 'Отмена'
      ModalResult = 2
      TabOrder = 2
    end
  end
  object PageControl1: TPageControl
    Align = alClient
    ActivePage = TabSheet2
    TabOrder = 0
    OnChange = PageControl1Change
    object TabSheet1: TTabSheet
      Caption = 'Ассоциировать(связать) с существующей'
      object dxDBTreeList1: TdxDBTreeList
        Left = 0
        Top = 0
        Width = 512
        Height = 300
        TabOrder = 0
        KeyField = 'M_RAYON_DEPID'
        ParentField = 'PARENT_ID'
        RootValue = '0'
        OptionsDB = [etoCanNavigation, etoLoadAllRecords]
        OptionsView = [etoBandHeaderWidth, etoUseBitmap]
        object dxDBTreeList1LONGNAME: TdxDBTreeListColumn
          Caption = 'наименование'
          FieldName = 'LONGNAME'
        end
      end
      object StaticText1: TStaticText
        Left = 8
        Top = 308
        Width = 496
        Height = 34
        AutoSize = False
        Color = clNavy
        ParentColor = False
        Font.Color = clYellow
        ParentFont = False
      end
      object Label3: TLabel
        Left = 8
        Top = 348
        Width = 496
        Height = 30
        AutoSize = False
        Font.Color = clYellow
        ParentFont = False
        WordWrap = True
      end
    end
    object TabSheet2: TTabSheet
      Caption = 'Добавить новую'
      object dxDBTreeList2: TdxDBTreeList
        Left = 0
        Top = 0
        Width = 512
        Height = 280
        TabOrder = 0
        KeyField = 'M_RAYON_DEPID'
        ParentField = 'PARENT_ID'
        RootValue = '0'
        OptionsDB = [etoCanNavigation, etoLoadAllRecords]
        OptionsView = [etoBandHeaderWidth, etoUseBitmap]
        object dxDBTreeList2LONGNAME: TdxDBTreeListColumn
          Caption = 'место дислокации'
          FieldName = 'LONGNAME'
          Sorted = csUp
        end
      end
      object LabeledEdit1: TLabeledEdit
        Left = 8
        Top = 304
        Width = 496
        Height = 21
        EditLabel.Caption = 'наименование'
        TabOrder = 1
      end
      object ComboBoxEx1: TComboBoxEx
        Left = 8
        Top = 348
        Width = 240
        Height = 22
        Style = csExDropDownList
        TabOrder = 2
        Items.Strings = (
          'государственный'
          'муниципальный')
      end
    end
  end
end
